#include "storage/codecs/PriceTable.h"

namespace kv {

namespace {
// round(65536 * log2(1 + j / 16)) for j = 0..16.
constexpr std::uint32_t kLog2Points[17] = {0,     5732,  11136, 16248, 21098, 25711,
                                           30109, 34312, 38336, 42196, 45904, 49472,
                                           52911, 56229, 59434, 62534, 65536};
} // namespace

PriceTable::PriceTable() {
    for (unsigned p = 1; p < 4096; ++p) {
        unsigned k = 0;
        while ((p >> (k + 1)) != 0)
            ++k;
        const unsigned x = (p - (1u << k)) << (12 - k);
        const unsigned i = x >> 8;
        const unsigned t = x & 255;
        const std::uint32_t interpolated =
            kLog2Points[i] + (((kLog2Points[i + 1] - kLog2Points[i]) * t) >> 8);
        m_price[p] = ((12u - k) << 16) - interpolated;
    }
}

} // namespace kv
