#include "model/SupersampleSet.h"

#include <algorithm>

namespace kv {

SupersampleSet::SupersampleSet(PixelArray* level0, std::int32_t width, std::int32_t height)
    : m_width(0), m_height(0), m_level0(level0) {
    setSize(width, height);
}

void SupersampleSet::setSize(std::int32_t width, std::int32_t height) {
    m_width = width;
    m_height = height;
    for (int i = 0; i < kLevels; ++i)
        m_levels[i].setSize(width << (i + 1), height << (i + 1));
}

void SupersampleSet::replicateFromLevel0() {
    for (int i = 1; i <= kLevels; ++i)
        ReplicateTwice(level(i - 1), level(i));
}

std::size_t SupersampleSet::levelsMemorySize() const {
    std::size_t total = 0;
    for (const PixelArray& level : m_levels)
        total += level.memorySize();
    return total;
}

void ReplicateTwice(const PixelArray& src, PixelArray& dst) {
    if (src.isEmpty() || dst.width() != src.width() * 2 || dst.height() != src.height() * 2) return;
    const std::int32_t w = src.width();
    for (std::int32_t y = 0; y < src.height(); ++y) {
        const Color32* s = src.row(y);
        Color32* d0 = dst.row(2 * y);
        Color32* d1 = dst.row(2 * y + 1);
        for (std::int32_t x = 0; x < w; ++x) {
            d0[2 * x] = d0[2 * x + 1] = s[x];
        }
        std::copy(d0, d0 + 2 * w, d1);
    }
}

} // namespace kv
