#pragma once
#include "storage/codecs/QzBlockOutput.h"

#include <cstdint>

namespace kv {

// Binary range encoder with carry propagation through a cached byte and a
// count of pending 0xFF bytes. The first cached byte is never emitted.
class RangeEncoder {
  public:
    explicit RangeEncoder(QzBlockOutput& out) : m_out(out) {}

    void encodeBit(std::uint16_t& cell, unsigned bit) {
        const std::uint32_t bound = (m_range >> 12) * cell;
        if (bit == 0) {
            m_range = bound;
            cell = static_cast<std::uint16_t>(cell + ((4096u - cell) >> 5));
        } else {
            m_low += bound;
            m_range -= bound;
            cell = static_cast<std::uint16_t>(cell - (cell >> 5));
        }
        while (m_range < (1u << 24)) {
            m_range <<= 8;
            shiftLow();
        }
    }

    // Codes value's low `bits` bits, most significant first, down a bit tree.
    void encodeTree(std::uint16_t* tree, unsigned bits, unsigned value) {
        unsigned node = 1;
        for (int i = static_cast<int>(bits) - 1; i >= 0; --i) {
            const unsigned bit = (value >> i) & 1u;
            encodeBit(tree[node], bit);
            node = node * 2 + bit;
        }
    }

    void finish() {
        for (int i = 0; i < 5; ++i)
            shiftLow();
    }

  private:
    void shiftLow() {
        if (m_low < 0xFF000000u || m_low >= (std::uint64_t{1} << 32)) {
            const auto carry = static_cast<std::uint8_t>(m_low >> 32);
            if (m_started) m_out.put(static_cast<std::uint8_t>(m_cache + carry));
            m_started = true;
            for (; m_pendingFF > 0; --m_pendingFF)
                m_out.put(static_cast<std::uint8_t>(0xFF + carry));
            m_cache = static_cast<std::uint8_t>(m_low >> 24);
        } else {
            ++m_pendingFF;
        }
        m_low = (m_low & 0x00FFFFFFu) << 8;
    }

    QzBlockOutput& m_out;
    std::uint64_t m_low = 0;
    std::uint32_t m_range = 0xFFFFFFFFu;
    std::uint8_t m_cache = 0;
    std::uint64_t m_pendingFF = 0;
    bool m_started = false;
};

} // namespace kv
