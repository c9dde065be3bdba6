#include "model/Compositor.h"

#include "model/Blending.h"
#include "model/FixedPoint.h"
#include "model/RowKernels.h"

#include <cmath>

namespace kv {

namespace {

// Rounds to nearest with ties to even, as the FPU does by default.
std::int64_t RoundHalfEven(double value) {
    return static_cast<std::int64_t>(std::nearbyint(value));
}

// Shared by tint and blend pixel: step 4 of the blend-over rule with an alpha
// computed by the caller.
void MixRect(PixelArray& raster, const Rect& area, Color32 color, std::uint32_t a) {
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        Color32* p = raster.row(y);
        for (std::int32_t x = area.left; x < area.right; ++x)
            p[x] = MixOver(p[x], color, a);
    }
}

} // namespace

void ScaleAlphaByFraction(PixelArray& raster, const Rect& rect, std::uint32_t fraction) {
    if (fraction >= kOpacityOne || raster.isEmpty()) return;
    const Rect area = rect.intersected(raster.bounds());
    for (std::int32_t y = area.top; y < area.bottom; ++y)
        ScaleAlphaRow(raster.row(y) + area.left, area.width(), fraction);
}

void ScaleAlpha(PixelArray& raster, const Rect& rect, float opacity) {
    ScaleAlphaByFraction(raster, rect, OpacityToFraction(opacity));
}

void ScaleAlpha(PixelArray& raster, float opacity) {
    ScaleAlpha(raster, raster.bounds(), opacity);
}

void BlendOverByFraction(PixelArray& dst, Point position, const PixelArray& src,
                         const Rect& srcRect, std::uint32_t fraction) {
    if (fraction < 1 || dst.isEmpty() || src.isEmpty()) return;
    std::int32_t dx = position.x, dy = position.y;
    std::int32_t sx = srcRect.left, sy = srcRect.top;
    std::int32_t w = srcRect.width(), h = srcRect.height();
    if (!ClipCopy(dst.width(), dst.height(), dx, dy, src.width(), src.height(), sx, sy, w, h))
        return;
    for (std::int32_t j = 0; j < h; ++j) {
        Color32* d = dst.row(dy + j) + dx;
        const Color32* s = src.row(sy + j) + sx;
        BlendOverRow(d, s, w, fraction);
    }
}

void BlendOver(PixelArray& dst, Point position, const PixelArray& src, const Rect& srcRect,
               float opacity) {
    BlendOverByFraction(dst, position, src, srcRect, OpacityToFraction(opacity));
}

void BlendOver(PixelArray& dst, Point position, const PixelArray& src, float opacity) {
    BlendOver(dst, position, src, src.bounds(), opacity);
}

void MergeThroughMask(PixelArray& dst, Point position, const PixelArray& src, const MaskArray& mask,
                      bool invert) {
    if (dst.isEmpty() || src.isEmpty() || mask.width() != src.width() ||
        mask.height() != src.height() || mask.isEmpty())
        return;
    std::int32_t dx = position.x, dy = position.y, sx = 0, sy = 0;
    std::int32_t w = src.width(), h = src.height();
    if (!ClipCopy(dst.width(), dst.height(), dx, dy, src.width(), src.height(), sx, sy, w, h))
        return;
    const std::uint32_t flip = invert ? 255u : 0u;
    for (std::int32_t j = 0; j < h; ++j) {
        Color32* d = dst.row(dy + j) + dx;
        const Color32* s = src.row(sy + j) + sx;
        const std::uint8_t* m = mask.row(sy + j) + sx;
        for (std::int32_t i = 0; i < w; ++i)
            d[i] = MergeMaskedPixel(d[i], s[i], m[i] ^ flip);
    }
}

void TintRect(PixelArray& raster, const Rect& rect, Color32 color) {
    const std::int64_t a = RoundHalfEven(AlphaOf(color) * 0.25);
    if (a <= 0 || raster.isEmpty()) return;
    MixRect(raster, rect.intersected(raster.bounds()), color, static_cast<std::uint32_t>(a));
}

void BlendPixel(PixelArray& raster, std::int32_t x, std::int32_t y, Color32 color, float opacity) {
    if (raster.isEmpty() || !raster.bounds().contains(x, y)) return;
    const std::int64_t a = RoundHalfEven(AlphaOf(color) * static_cast<double>(opacity));
    if (a <= 0) return;
    MixRect(raster, Rect{x, y, x + 1, y + 1}, color, static_cast<std::uint32_t>(a > 255 ? 255 : a));
}

} // namespace kv
