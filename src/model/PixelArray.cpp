#include "model/PixelArray.h"

#include "model/FixedPoint.h"

namespace kv {

void PixelArray::applyBitMaskToAlpha(const std::uint8_t* bits) {
    if (isEmpty() || !bits) return;
    const std::size_t rowBytes = (static_cast<std::size_t>(width()) + 7) / 8;
    for (std::int32_t y = 0; y < height(); ++y, bits += rowBytes) {
        Color32* p = row(y);
        for (std::int32_t x = 0; x < width(); ++x) {
            if (!(bits[x >> 3] & (0x80u >> (x & 7)))) p[x] &= 0x00FFFFFFu;
        }
    }
}

void PixelArray::premultiply() {
    Color32* p = data();
    const std::size_t n = pixelCount();
    for (std::size_t i = 0; i < n; ++i) {
        const Color32 c = p[i];
        const unsigned a = AlphaOf(c);
        p[i] = MakeColor32(Div255(RedOf(c) * a), Div255(GreenOf(c) * a), Div255(BlueOf(c) * a), a);
    }
}

} // namespace kv
