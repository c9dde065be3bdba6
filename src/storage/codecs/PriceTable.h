#pragma once
#include <array>
#include <cstdint>

namespace kv {

// Approximate cost in 1/65536 bit of coding a bit with a given cell value,
// from a 17-point table of log2 with linear interpolation. The encoder's
// match decisions depend on these exact integers.
class PriceTable {
  public:
    PriceTable();

    // Cost of a 0 bit coded with cell value p (1..4095).
    std::uint32_t zero(unsigned p) const { return m_price[p]; }
    std::uint32_t bit(unsigned p, unsigned bit) const { return m_price[bit ? 4096 - p : p]; }

    // Sum of the bit costs of `value` down a bit tree, read from its cells.
    std::uint32_t tree(const std::uint16_t* cells, unsigned bits, unsigned value) const {
        std::uint32_t sum = 0;
        unsigned node = 1;
        for (int i = static_cast<int>(bits) - 1; i >= 0; --i) {
            const unsigned b = (value >> i) & 1u;
            sum += bit(cells[node], b);
            node = node * 2 + b;
        }
        return sum;
    }

  private:
    std::array<std::uint32_t, 4097> m_price{};
};

} // namespace kv
