#include "editing/clipboard/ClipPicture.h"

#include "model/FixedPoint.h"
#include "model/MaskArray.h"
#include "model/PixelArray.h"

#include <algorithm>

namespace kv {
namespace {

// The coverage m applied to a byte: (v x m x 65793 + 2^23) >> 24.
std::uint8_t Cover(unsigned v, unsigned m) {
    return static_cast<std::uint8_t>(Div255(v * m));
}

void Put32(Color32 p, unsigned m, std::uint8_t* out) {
    if (m == 0) {
        std::fill(out, out + 4, std::uint8_t{0});
        return;
    }
    unsigned a = AlphaOf(p), r = RedOf(p), g = GreenOf(p), b = BlueOf(p);
    if (m != 255) {
        // Alpha takes the coverage; colours are kept as they were under the
        // old alpha, premultiplied by the new one and divided back.
        a = Cover(a, m);
        const auto channel = [a](unsigned c) { return DivByAlphaSum(c * a, a); };
        r = channel(r), g = channel(g), b = channel(b);
    }
    out[0] = static_cast<std::uint8_t>(b);
    out[1] = static_cast<std::uint8_t>(g);
    out[2] = static_cast<std::uint8_t>(r);
    out[3] = static_cast<std::uint8_t>(a);
}

} // namespace

int ClipBitsFor(ChannelMode mode) {
    switch (mode) {
    case ChannelMode::ColorOnly:
        return 24;
    case ChannelMode::AlphaOnly:
        return 8;
    case ChannelMode::Normal:
        break;
    }
    return 32;
}

std::optional<ClipPicture> BuildClipPicture(const PixelArray& raster, const MaskArray& mask,
                                            const Rect& rect, int bitsPerPixel, float resolutionX,
                                            float resolutionY) {
    const Rect area = rect.intersected(raster.bounds()).intersected(mask.bounds());
    if (area.isEmpty()) return std::nullopt;
    ClipPicture picture{area.width(), area.height(), bitsPerPixel, resolutionX, resolutionY, {}};
    picture.bytes.resize(picture.rowBytes() * static_cast<std::size_t>(picture.height));
    std::uint8_t* out = picture.bytes.data();
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        const Color32* src = raster.row(y) + area.left;
        const std::uint8_t* cover = mask.row(y) + area.left;
        for (std::int32_t x = 0; x < area.width(); ++x) {
            const Color32 p = src[x];
            const unsigned m = cover[x];
            if (bitsPerPixel == 32) {
                Put32(p, m, out);
                out += 4;
            } else if (bitsPerPixel == 24) {
                *out++ = Cover(BlueOf(p), m);
                *out++ = Cover(GreenOf(p), m);
                *out++ = Cover(RedOf(p), m);
            } else {
                *out++ = Cover(AlphaOf(p), m);
            }
        }
    }
    return picture;
}

} // namespace kv
