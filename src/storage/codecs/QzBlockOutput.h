#pragma once
#include "storage/stream/QzStream.h"

#include <cstdint>

namespace kv {

// Collects an encoder's bytes in blocks of 256 and passes each full block
// to the stream below. A short write there marks the output failed.
class QzBlockOutput {
  public:
    static constexpr std::size_t kBlockSize = 256;

    explicit QzBlockOutput(QzStream* lower) : m_lower(lower) {}

    void put(std::uint8_t value) {
        m_block[m_fill++] = value;
        if (m_fill == kBlockSize) flush();
    }
    // Writes what is collected; false if the lower stream took less.
    bool flush() {
        if (m_fill > 0 && !m_failed) m_failed = m_lower->write(m_block, m_fill) != m_fill;
        m_fill = 0;
        return !m_failed;
    }
    bool failed() const { return m_failed; }

  private:
    QzStream* m_lower;
    std::uint8_t m_block[kBlockSize];
    std::size_t m_fill = 0;
    bool m_failed = false;
};

} // namespace kv
