#include "model/Compositor.h"

#include "model/Blending.h"
#include "model/FixedPoint.h"

#include <cmath>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace kv {

namespace {

// Rounds to nearest with ties to even, as the FPU does by default.
std::int64_t RoundHalfEven(double value) { return static_cast<std::int64_t>(std::nearbyint(value)); }

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

namespace {

// Alpha scaling of one row. The integer formula is kept exactly: vector lanes
// hold whole 32-bit products, since A x f < 2^32. Eight pixels at a time with
// AVX2 where the processor has it, four with SSE2, then one by one.
#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) std::int32_t ScaleAlphaAvx2(Color32* p, std::int32_t n,
                                                            std::uint32_t fraction) {
    const __m256i f = _mm256_set1_epi32(static_cast<int>(fraction));
    const __m256i half = _mm256_set1_epi32(1 << 23);
    const __m256i colorMask = _mm256_set1_epi32(0x00FFFFFF);
    std::int32_t x = 0;
    for (; x + 8 <= n; x += 8) {
        const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + x));
        const __m256i scaled = _mm256_srli_epi32(
            _mm256_add_epi32(_mm256_mullo_epi32(_mm256_srli_epi32(c, 24), f), half), 24);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + x),
                            _mm256_or_si256(_mm256_and_si256(c, colorMask), _mm256_slli_epi32(scaled, 24)));
    }
    return x;
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

void ScaleAlphaRow(Color32* p, std::int32_t n, std::uint32_t fraction) {
    std::int32_t x = 0;
#if defined(__x86_64__) || defined(__i386__)
    if (HasAvx2())
        x = ScaleAlphaAvx2(p, n, fraction);
#endif
#if defined(__SSE2__)
    const __m128i f = _mm_set1_epi32(static_cast<int>(fraction));
    const __m128i half = _mm_set1_epi32(1 << 23);
    const __m128i colorMask = _mm_set1_epi32(0x00FFFFFF);
    for (; x + 4 <= n; x += 4) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x));
        const __m128i alpha = _mm_srli_epi32(c, 24);
        const __m128i even = _mm_mul_epu32(alpha, f);
        const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(alpha, 32), f);
        const __m128i products = _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                                                     _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
        const __m128i scaled = _mm_srli_epi32(_mm_add_epi32(products, half), 24);
        const __m128i out = _mm_or_si128(_mm_and_si128(c, colorMask), _mm_slli_epi32(scaled, 24));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + x), out);
    }
#endif
    for (; x < n; ++x) {
        const Color32 c = p[x];
        p[x] = (c & 0x00FFFFFFu) | EffectiveAlpha(c >> 24, fraction) << 24;
    }
}

} // namespace

void ScaleAlphaByFraction(PixelArray& raster, const Rect& rect, std::uint32_t fraction) {
    if (fraction >= kOpacityOne || raster.isEmpty())
        return;
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
    if (fraction < 1 || dst.isEmpty() || src.isEmpty())
        return;
    std::int32_t dx = position.x, dy = position.y;
    std::int32_t sx = srcRect.left, sy = srcRect.top;
    std::int32_t w = srcRect.width(), h = srcRect.height();
    if (!ClipCopy(dst.width(), dst.height(), dx, dy, src.width(), src.height(), sx, sy, w, h))
        return;
    for (std::int32_t j = 0; j < h; ++j) {
        Color32* d = dst.row(dy + j) + dx;
        const Color32* s = src.row(sy + j) + sx;
        for (std::int32_t i = 0; i < w; ++i)
            d[i] = BlendOverPixel(d[i], s[i], fraction);
    }
}

void BlendOver(PixelArray& dst, Point position, const PixelArray& src, const Rect& srcRect,
               float opacity) {
    BlendOverByFraction(dst, position, src, srcRect, OpacityToFraction(opacity));
}

void BlendOver(PixelArray& dst, Point position, const PixelArray& src, float opacity) {
    BlendOver(dst, position, src, src.bounds(), opacity);
}

void MergeThroughMask(PixelArray& dst, Point position, const PixelArray& src,
                      const MaskArray& mask, bool invert) {
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
    if (a <= 0 || raster.isEmpty())
        return;
    MixRect(raster, rect.intersected(raster.bounds()), color, static_cast<std::uint32_t>(a));
}

void BlendPixel(PixelArray& raster, std::int32_t x, std::int32_t y, Color32 color, float opacity) {
    if (raster.isEmpty() || !raster.bounds().contains(x, y))
        return;
    const std::int64_t a = RoundHalfEven(AlphaOf(color) * static_cast<double>(opacity));
    if (a <= 0)
        return;
    MixRect(raster, Rect{x, y, x + 1, y + 1}, color, static_cast<std::uint32_t>(a > 255 ? 255 : a));
}

} // namespace kv
