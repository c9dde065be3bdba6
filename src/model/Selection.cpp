#include "model/Selection.h"

#include "model/Image.h"

#include <algorithm>

namespace kv {
namespace {
bool HasSupersampledLayer(const Image& image) {
    for (std::uint32_t i = 1; i <= static_cast<std::uint32_t>(image.layerCount()); ++i)
        if (const LayerBase* layer = image.layerAt(i); layer && layer->supersamplingFactor() > 0)
            return true;
    return false;
}

// A level-0 rectangle on the level `shift` doublings finer.
Rect Scaled(const Rect& r, int shift) {
    return {r.left << shift, r.top << shift, r.right << shift, r.bottom << shift};
}
} // namespace

Selection::Selection() {
    recompute();
}

Selection::~Selection() = default;

void Selection::setSupersampled(bool on) {
    if (on == supersampled()) return;
    if (on) {
        auto levels = std::make_unique<std::array<MaskArray, kLevels>>();
        for (int i = 0; i < kLevels; ++i) {
            (*levels)[i].setSize(m_width << (i + 1), m_height << (i + 1));
            ReplicateMaskTwice(i == 0 ? m_mask : (*levels)[i - 1], (*levels)[i]);
        }
        m_levels = std::move(levels);
    } else {
        m_levels.reset();
        m_detailBounds = {};
    }
    recompute();
}

void Selection::refreshFromDetail(const Rect* rect) {
    if (m_levels) {
        // Image pixels, as for a layer: each level takes the rectangle at its
        // own size.
        const Rect image = Rect::ofSize(m_width, m_height);
        const Rect area = rect ? rect->intersected(image) : image;
        for (int i = kLevels; i >= 1; --i)
            ReduceMaskTwice(level(i), level(i - 1), Scaled(area, i - 1));
    }
    recompute();
}

void Selection::recompute() {
    m_full = false;
    m_empty = true;
    m_bounds = {};
    m_detailBounds = {};
    if (static_cast<std::int64_t>(m_width) * m_height < 1) return;
    if (m_levels) {
        ScanMask(editableMask(), m_full, m_empty, m_detailBounds);
        if (!m_empty) {
            bool full0 = false, empty0 = true;
            ScanMask(m_mask, full0, empty0, m_bounds);
        }
    } else {
        ScanMask(m_mask, m_full, m_empty, m_bounds);
    }
}

void Selection::clear(const Image& image) {
    if (!m_active) return;
    editableMask().fill(0);
    refreshFromDetail(nullptr);
    m_active = false;
    followImage(image);
}

void Selection::followImage(const Image& image) {
    const bool s = HasSupersampledLayer(image);
    if (image.width() == m_width && image.height() == m_height) {
        if (s)
            setSupersampled(true);
        else if (!m_active)
            setSupersampled(false);
        return;
    }
    resetToSize(image.width(), image.height(), s);
}

void Selection::resetToSize(std::int32_t width, std::int32_t height, bool supersample) {
    m_active = false;
    m_mask.setSize(width, height);
    m_mask.fill(0);
    m_width = width;
    m_height = height;
    if (supersample == supersampled()) {
        if (m_levels) {
            for (int i = 0; i < kLevels; ++i) {
                (*m_levels)[i].setSize(width << (i + 1), height << (i + 1));
                (*m_levels)[i].fill(0);
            }
        }
    } else {
        setSupersampled(supersample);
    }
    recompute();
}

std::size_t Selection::memorySize() const {
    std::size_t size = 60 + m_mask.memorySize();
    if (m_levels) {
        size += 24;
        for (const MaskArray& level : *m_levels)
            size += level.memorySize();
    }
    return size;
}

void ReplicateMaskTwice(const MaskArray& src, MaskArray& dst) {
    if (src.isEmpty() || dst.width() != src.width() * 2 || dst.height() != src.height() * 2) return;
    const std::int32_t w = src.width();
    for (std::int32_t y = 0; y < src.height(); ++y) {
        const std::uint8_t* s = src.row(y);
        std::uint8_t* d0 = dst.row(2 * y);
        for (std::int32_t x = 0; x < w; ++x)
            d0[2 * x] = d0[2 * x + 1] = s[x];
        std::copy(d0, d0 + 2 * w, dst.row(2 * y + 1));
    }
}

void ReduceMaskTwice(const MaskArray& src, MaskArray& dst, const Rect& dstRect) {
    if (src.isEmpty() || src.width() != dst.width() * 2 || src.height() != dst.height() * 2) return;
    const Rect r = dstRect.intersected(dst.bounds());
    for (std::int32_t y = r.top; y < r.bottom; ++y) {
        const std::uint8_t* s0 = src.row(2 * y);
        const std::uint8_t* s1 = src.row(2 * y + 1);
        std::uint8_t* d = dst.row(y);
        for (std::int32_t x = r.left; x < r.right; ++x) {
            const unsigned sum = s0[2 * x] + s0[2 * x + 1] + s1[2 * x] + s1[2 * x + 1];
            d[x] = static_cast<std::uint8_t>((sum + 2) >> 2);
        }
    }
}

void ScanMask(const MaskArray& mask, bool& full, bool& empty, Rect& bounds) {
    full = !mask.isEmpty();
    empty = true;
    bounds = {};
    std::int32_t minX = mask.width(), maxX = -1, minY = -1, maxY = -1;
    for (std::int32_t y = 0; y < mask.height() && mask.hasStorage(); ++y) {
        const std::uint8_t* row = mask.row(y);
        std::int32_t first = -1, last = -1;
        for (std::int32_t x = 0; x < mask.width(); ++x) {
            const std::uint8_t b = row[x];
            if (b != 255) full = false;
            if (b) {
                if (first < 0) first = x;
                last = x;
            }
        }
        if (first < 0) continue;
        if (minY < 0) minY = y;
        maxY = y;
        minX = std::min(minX, first);
        maxX = std::max(maxX, last);
    }
    if (minY < 0) return;
    empty = false;
    bounds = {minX, minY, maxX + 1, maxY + 1};
}

} // namespace kv
