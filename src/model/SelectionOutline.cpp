#include "model/SelectionOutline.h"

#include "model/MaskArray.h"
#include "model/Selection.h"

#include <algorithm>

namespace kv {
namespace {
constexpr std::uint8_t kGrays[8] = {0, 64, 128, 192, 255, 192, 128, 64};
std::uint32_t g_phase = 0;

inline bool Selected(const MaskArray& mask, std::int32_t x, std::int32_t y) {
    return x >= 0 && y >= 0 && x < mask.width() && y < mask.height() && mask.row(y)[x] >= 128;
}

// Pattern pixels along a view line, clipped to the rectangle.
void HorizontalRun(PixelArray& view, const Rect& clip, std::int32_t y, std::int32_t x0,
                   std::int32_t x1, Point origin, std::uint32_t phase) {
    if (y < clip.top || y >= clip.bottom) return;
    Color32* row = view.row(y);
    for (std::int32_t x = std::max(x0, clip.left); x < std::min(x1, clip.right); ++x)
        row[x] = OutlinePatternColor(x - origin.x, y - origin.y, phase);
}

void VerticalRun(PixelArray& view, const Rect& clip, std::int32_t x, std::int32_t y0,
                 std::int32_t y1, Point origin, std::uint32_t phase) {
    if (x < clip.left || x >= clip.right) return;
    for (std::int32_t y = std::max(y0, clip.top); y < std::min(y1, clip.bottom); ++y)
        view.row(y)[x] = OutlinePatternColor(x - origin.x, y - origin.y, phase);
}

void DrawAtZoomOne(const MaskArray& mask, PixelArray& view, const Rect& clip, Point origin,
                   std::uint32_t phase) {
    const std::int32_t x0 = std::max(0, clip.left - origin.x);
    const std::int32_t y0 = std::max(0, clip.top - origin.y);
    const std::int32_t x1 = std::min(mask.width(), clip.right - origin.x);
    const std::int32_t y1 = std::min(mask.height(), clip.bottom - origin.y);
    for (std::int32_t y = y0; y < y1; ++y) {
        const std::uint8_t* row = mask.row(y);
        for (std::int32_t x = x0; x < x1; ++x) {
            if (row[x] < 128) continue;
            const bool edge = !Selected(mask, x - 1, y) || !Selected(mask, x + 1, y) ||
                              !Selected(mask, x, y - 1) || !Selected(mask, x, y + 1);
            if (edge) view.row(origin.y + y)[origin.x + x] = OutlinePatternColor(x, y, phase);
        }
    }
}

void DrawMagnified(const MaskArray& mask, PixelArray& view, const Rect& clip, Point origin,
                   std::int32_t z, std::uint32_t phase) {
    const std::int32_t i0 = std::max(0, (clip.left - origin.x) / z);
    const std::int32_t j0 = std::max(0, (clip.top - origin.y) / z);
    const std::int32_t i1 = std::min(mask.width(), (clip.right - origin.x + z - 1) / z);
    const std::int32_t j1 = std::min(mask.height(), (clip.bottom - origin.y + z - 1) / z);
    for (std::int32_t j = j0; j < j1; ++j) {
        const std::int32_t top = origin.y + j * z;
        for (std::int32_t i = i0; i < i1; ++i) {
            if (mask.row(j)[i] < 128) continue;
            const std::int32_t left = origin.x + i * z;
            if (!Selected(mask, i - 1, j))
                VerticalRun(view, clip, left, top, top + z, origin, phase);
            if (!Selected(mask, i + 1, j))
                VerticalRun(view, clip, left + z - 1, top, top + z, origin, phase);
            if (!Selected(mask, i, j - 1))
                HorizontalRun(view, clip, top, left, left + z, origin, phase);
            if (!Selected(mask, i, j + 1))
                HorizontalRun(view, clip, top + z - 1, left, left + z, origin, phase);
        }
    }
}
} // namespace

Color32 OutlinePatternColor(std::int32_t x, std::int32_t y, std::uint32_t phase) {
    const std::uint32_t index = (static_cast<std::uint32_t>(x + y) - phase) & 7u;
    const unsigned g = kGrays[index];
    return MakeColor32(g, g, g, 255);
}

std::uint32_t SelectionOutlinePhase() {
    return g_phase;
}
void AdvanceSelectionOutlinePhase() {
    ++g_phase;
}

void DrawMaskOutline(const MaskArray& mask, PixelArray& view, const Rect& clipRect, Point origin,
                     std::int32_t zoom, std::uint32_t phase) {
    const Rect clip = clipRect.intersected(view.bounds());
    if (clip.isEmpty() || mask.isEmpty() || zoom < 1) return;
    if (zoom == 1)
        DrawAtZoomOne(mask, view, clip, origin, phase);
    else
        DrawMagnified(mask, view, clip, origin, zoom, phase);
}

void DrawSelectionOutline(const Selection& selection, PixelArray& view, const Rect& clip,
                          Point origin, std::int32_t zoom, std::uint32_t phase) {
    int level = 0;
    std::int32_t residual = zoom;
    if (selection.supersampled()) {
        while (residual > 1 && level < Selection::kLevels) {
            ++level;
            residual >>= 1;
        }
    }
    DrawMaskOutline(selection.level(level), view, clip, origin, residual, phase);
}

} // namespace kv
