#include "model/MagnifiedRenderer.h"

#include "model/Compositor.h"
#include "model/FixedPoint.h"
#include "model/RowKernels.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kv {

namespace {

// The source columns (or rows) whose blocks meet [clipLow, clipHigh).
struct Span {
    std::int64_t first;
    std::int64_t end;
};

Span SourceSpan(std::int32_t clipLow, std::int32_t clipHigh, std::int32_t origin, int zoom,
                std::int32_t size) {
    // Integer division truncating towards zero, as the block walk is defined.
    const std::int64_t low = (std::int64_t{clipLow} - origin) / zoom;
    const std::int64_t high = (std::int64_t{clipHigh} - origin + zoom - 1) / zoom;
    return {std::max<std::int64_t>(0, low), std::min<std::int64_t>(size, high)};
}

void CopyUnscaled(PixelArray& view, const Rect& clip, Point origin, const PixelArray& src,
                  RenderOperation operation, std::uint32_t fraction) {
    // Pixels of the source that land inside the clip, in source coordinates.
    const Rect inSource = Rect{clip.left - origin.x, clip.top - origin.y, clip.right - origin.x,
                               clip.bottom - origin.y}
                              .intersected(src.bounds());
    if (inSource.isEmpty()) return;
    const Point at{inSource.left + origin.x, inSource.top + origin.y};
    if (operation == RenderOperation::Copy)
        CopyRaster(view, at.x, at.y, src, inSource.left, inSource.top, inSource.width(),
                   inSource.height());
    else
        BlendOverByFraction(view, at, src, inSource, fraction);
}

// One source row's blocks on one row, clipped to view columns [x0, x1); `out`
// holds view column `base` at index 0.
void CopyBlocksRow(Color32* out, std::int64_t base, const Color32* s, Span columns,
                   std::int64_t originX, int zoom, std::int64_t x0, std::int64_t x1) {
    for (std::int64_t i = columns.first; i < columns.end; ++i) {
        const std::int64_t left = std::max(x0, originX + i * zoom);
        const std::int64_t right = std::min(x1, originX + (i + 1) * zoom);
        std::fill(out + (left - base), out + (right - base), s[i]);
    }
}

} // namespace

void RenderMagnified(PixelArray& view, const Rect& clip, Point origin, int zoom,
                     const PixelArray& src, RenderOperation operation, float opacity) {
    if (zoom < 1 || view.isEmpty() || src.isEmpty()) return;
    const Rect area = clip.intersected(view.bounds());
    if (area.isEmpty()) return;
    const std::uint32_t fraction = OpacityToFraction(opacity);
    if (operation == RenderOperation::Blend && fraction < 1) return;
    if (zoom == 1) {
        CopyUnscaled(view, area, origin, src, operation, fraction);
        return;
    }
    const Span columns = SourceSpan(area.left, area.right, origin.x, zoom, src.width());
    const Span rows = SourceSpan(area.top, area.bottom, origin.y, zoom, src.height());
    if (columns.first >= columns.end || rows.first >= rows.end) return;
    // View columns that the span's blocks cover.
    const std::int64_t left = std::max<std::int64_t>(area.left, origin.x + columns.first * zoom);
    const std::int64_t right = std::min<std::int64_t>(area.right, origin.x + columns.end * zoom);
    std::vector<Color32> expanded;
    if (operation == RenderOperation::Blend)
        expanded.resize(static_cast<std::size_t>(area.width()));
    for (std::int64_t j = rows.first; j < rows.end; ++j) {
        const std::int64_t top = std::max<std::int64_t>(area.top, origin.y + j * zoom);
        const std::int64_t bottom = std::min<std::int64_t>(area.bottom, origin.y + (j + 1) * zoom);
        const Color32* s = src.row(static_cast<std::int32_t>(j));
        if (operation == RenderOperation::Copy) {
            // Every view row of the block row is the same: build one, copy it.
            Color32* first = view.row(static_cast<std::int32_t>(top));
            CopyBlocksRow(first, 0, s, columns, origin.x, zoom, area.left, area.right);
            for (std::int64_t y = top + 1; y < bottom; ++y)
                std::copy(first + left, first + right,
                          view.row(static_cast<std::int32_t>(y)) + left);
        } else {
            // The magnified source row once, then blended into every view row
            // of the block row.
            CopyBlocksRow(expanded.data(), area.left, s, columns, origin.x, zoom, area.left,
                          area.right);
            for (std::int64_t y = top; y < bottom; ++y)
                BlendOverRow(view.row(static_cast<std::int32_t>(y)) + left,
                             expanded.data() + (left - area.left),
                             static_cast<std::int32_t>(right - left), fraction);
        }
    }
}

void RenderWithOpacity(PixelArray& view, const Rect& clip, Point origin, int zoom,
                       const PixelArray& src, RenderOperation operation, float opacity) {
    RenderMagnified(view, clip, origin, zoom, src, operation, opacity);
    if (operation == RenderOperation::Copy) ScaleAlpha(view, clip, opacity);
}

} // namespace kv
