#include "model/LevelReducer.h"

#include "model/RowKernels.h"

#include <cstdint>

namespace kv {

namespace {

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
        ReduceRow(src.row(2 * y) + 2 * area.left, src.row(2 * y + 1) + 2 * area.left,
                  dst.row(y) + area.left, area.width());
    }
}

void ReduceLevels(SupersampleSet& set, const Rect* rect) {
    const Rect layer = Rect::ofSize(set.width(), set.height());
    const Rect area = rect ? rect->intersected(layer) : layer;
    if (area.isEmpty()) return;
    for (int level = SupersampleSet::kLevels; level >= 1; --level)
        ReduceTwice(set.level(level), set.level(level - 1), Scaled(area, level - 1));
}

} // namespace kv
