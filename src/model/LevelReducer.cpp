#include "model/LevelReducer.h"

#include "model/FixedPoint.h"

#include <cstdint>

namespace kv {

namespace {

// Alpha is the block's mean alpha rounded half up; colors are weighted by
// alpha, so transparent pixels do not tint the result.
inline Color32 ReduceBlock(Color32 p1, Color32 p2, Color32 p3, Color32 p4) {
    const std::uint32_t a1 = AlphaOf(p1), a2 = AlphaOf(p2), a3 = AlphaOf(p3), a4 = AlphaOf(p4);
    const std::uint32_t sum = a1 + a2 + a3 + a4;
    if (sum == 0)
        return 0;
    const std::uint64_t r = ReciprocalTable[sum];
    const auto channel = [&](unsigned shift) {
        const std::uint32_t q = ((p1 >> shift) & 0xFF) * a1 + ((p2 >> shift) & 0xFF) * a2 +
                                ((p3 >> shift) & 0xFF) * a3 + ((p4 >> shift) & 0xFF) * a4;
        return static_cast<std::uint32_t>((q * r + (1u << 23)) >> 24);
    };
    const std::uint32_t alpha = (sum * (1u << 22) + (1u << 23)) >> 24;
    return alpha << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

Rect Scaled(const Rect& r, int shift) {
    return {r.left << shift, r.top << shift, r.right << shift, r.bottom << shift};
}

} // namespace

void ReduceTwice(const PixelArray& src, PixelArray& dst, const Rect& rect) {
    if (dst.isEmpty() || src.width() != dst.width() * 2 || src.height() != dst.height() * 2 ||
        src.isEmpty())
        return;
    const Rect area = rect.intersected(dst.bounds());
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        const Color32* upper = src.row(2 * y) + 2 * area.left;
        const Color32* lower = src.row(2 * y + 1) + 2 * area.left;
        Color32* out = dst.row(y) + area.left;
        const std::int32_t n = area.width();
        for (std::int32_t x = 0; x < n; ++x) {
            const Color32 p1 = upper[2 * x], p2 = upper[2 * x + 1];
            const Color32 p3 = lower[2 * x], p4 = lower[2 * x + 1];
            // A uniform opaque-ish block reduces to itself; skip the arithmetic.
            if (p1 == p2 && p1 == p3 && p1 == p4 && AlphaOf(p1) != 0)
                out[x] = p1;
            else
                out[x] = ReduceBlock(p1, p2, p3, p4);
        }
    }
}

void ReduceLevels(SupersampleSet& set, const Rect* rect) {
    const Rect layer = Rect::ofSize(set.width(), set.height());
    const Rect area = rect ? rect->intersected(layer) : layer;
    if (area.isEmpty())
        return;
    for (int level = SupersampleSet::kLevels; level >= 1; --level)
        ReduceTwice(set.level(level), set.level(level - 1), Scaled(area, level - 1));
}

} // namespace kv
