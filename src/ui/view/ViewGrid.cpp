#include "ui/view/ViewGrid.h"

#include "model/Blending.h"

#include <algorithm>

namespace kv {
namespace {

// The first line at or after `from`: lines lie at start + k * spacing, k >= 1.
std::int32_t FirstLine(std::int32_t start, std::int32_t spacing, std::int32_t from) {
    const std::int32_t first = start + spacing;
    if (from <= first) return first;
    return first + (from - first + spacing - 1) / spacing * spacing;
}

Color32 DashColor(std::int32_t along, const GridStyle& style) {
    return (along / kGridDash) & 1 ? style.colorB : style.colorA;
}

void VerticalLines(PixelArray& buffer, const Rect& area, const Rect& image,
                   const GridStyle& style) {
    for (std::int32_t x = FirstLine(image.left, style.spacing, area.left);
         x < std::min(area.right, image.right); x += style.spacing)
        for (std::int32_t y = area.top; y < area.bottom; ++y) {
            Color32& p = buffer.row(y)[x];
            p = BlendOverPixel(p, DashColor(y - image.top, style), style.fraction);
        }
}

// Rows of the horizontal lines, leaving out the pixels where a vertical line
// crosses: those were blended already.
void HorizontalLines(PixelArray& buffer, const Rect& area, const Rect& image,
                     const GridStyle& style) {
    const std::int32_t firstColumn = FirstLine(image.left, style.spacing, area.left);
    for (std::int32_t y = FirstLine(image.top, style.spacing, area.top);
         y < std::min(area.bottom, image.bottom); y += style.spacing) {
        Color32* row = buffer.row(y);
        std::int32_t nextCrossing = firstColumn;
        for (std::int32_t x = area.left; x < area.right; ++x) {
            if (x == nextCrossing) {
                nextCrossing += style.spacing;
                continue;
            }
            row[x] = BlendOverPixel(row[x], DashColor(x - image.left, style), style.fraction);
        }
    }
}

} // namespace

void DrawGrid(PixelArray& buffer, const Rect& areaIn, const Rect& image, const GridStyle& style) {
    const Rect area = areaIn.intersected(image).intersected(buffer.bounds());
    if (area.isEmpty() || style.spacing < 2 || style.fraction < 1) return;
    VerticalLines(buffer, area, image, style);
    HorizontalLines(buffer, area, image, style);
}

} // namespace kv
