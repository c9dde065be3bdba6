#pragma once
#include "storage/stream/QzStream.h"

#include <cstdint>

namespace kv {

// The decoding side of RangeEncoder. Input comes byte by byte from the
// stream below, so the decoder never reads past the end of its section.
// A byte that cannot be read marks the decoder failed; the values it then
// yields are meaningless but stay in range.
class RangeDecoder {
  public:
    explicit RangeDecoder(QzStream* input) : m_input(input) {}

    void start() {
        for (int i = 0; i < 4; ++i)
            m_code = (m_code << 8) | nextByte();
    }

    unsigned decodeBit(std::uint16_t& cell) {
        const std::uint32_t bound = (m_range >> 12) * cell;
        unsigned bit;
        if (m_code < bound) {
            m_range = bound;
            cell = static_cast<std::uint16_t>(cell + ((4096u - cell) >> 5));
            bit = 0;
        } else {
            m_code -= bound;
            m_range -= bound;
            cell = static_cast<std::uint16_t>(cell - (cell >> 5));
            bit = 1;
        }
        while (m_range < (1u << 24)) {
            m_range <<= 8;
            m_code = (m_code << 8) | nextByte();
        }
        return bit;
    }

    // Decodes a `bits`-bit value down a bit tree.
    unsigned decodeTree(std::uint16_t* tree, unsigned bits) {
        unsigned node = 1;
        for (unsigned i = 0; i < bits; ++i)
            node = node * 2 + decodeBit(tree[node]);
        return node - (1u << bits);
    }

    bool failed() const { return m_failed; }

  private:
    std::uint32_t nextByte() {
        const int value = m_input->getByte();
        if (value < 0) {
            m_failed = true;
            return 0;
        }
        return static_cast<std::uint32_t>(value);
    }

    QzStream* m_input;
    std::uint32_t m_code = 0;
    std::uint32_t m_range = 0xFFFFFFFFu;
    bool m_failed = false;
};

} // namespace kv
