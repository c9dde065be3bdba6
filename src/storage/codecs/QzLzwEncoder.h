#pragma once
#include "storage/codecs/QzBlockOutput.h"
#include "storage/codecs/QzCodecStream.h"

#include <memory>

namespace kv {

// LZW compressor with codes growing from 9 to 16 bits, packed most
// significant bit first. Strings are found through a multiplicative
// running hash; each bucket chains the codes that share it.
class QzLzwEncoder final : public QzCodecStream {
  public:
    explicit QzLzwEncoder(QzHandle& handle);

    bool allocated() const override { return m_prefix && m_chain && m_heads; }
    std::size_t write(const void* buffer, std::size_t count) override;
    void flush() override;
    void endCodec() override { flush(); }
    void close() override;

  private:
    void resetDictionary();
    void putCode(unsigned code) {
        m_bits = (m_bits << m_width) | code;
        m_bitCount += m_width;
        while (m_bitCount >= 8) {
            m_bitCount -= 8;
            m_out.put(static_cast<std::uint8_t>(m_bits >> m_bitCount));
        }
        m_bits &= (1u << m_bitCount) - 1;
    }

    std::unique_ptr<std::uint16_t[]> m_prefix; // per code: prefix code or kNoCode
    std::unique_ptr<std::uint16_t[]> m_chain;  // per code: next code in its bucket
    std::unique_ptr<std::uint16_t[]> m_heads;  // per bucket: newest code
    std::uint16_t m_current;                   // code of the string matched so far
    std::uint32_t m_hash;
    unsigned m_next = 0;
    unsigned m_width = 0;
    std::uint32_t m_bits = 0;
    unsigned m_bitCount = 0;
    QzBlockOutput m_out;
};

} // namespace kv
