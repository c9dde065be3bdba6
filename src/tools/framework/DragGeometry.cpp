#include "tools/framework/DragGeometry.h"

#include "model/Image.h"
#include "model/Layer.h"
#include "tools/framework/PaintTarget.h"

#include <algorithm>
#include <cstdlib>

namespace kv {
namespace {

std::int32_t SignOf(std::int32_t v) {
    return v < 0 ? -1 : 1;
}

std::int32_t PositiveModulo(std::int32_t v, std::int32_t g) {
    return v - FloorToMultiple(v, g);
}

// q moved to the nearest point on one of the diagonals through m.
ImagePoint OnDiagonal(ImagePoint m, ImagePoint q) {
    const std::int32_t dx = q.x - m.x, dy = q.y - m.y;
    const std::int32_t side = std::min(std::abs(dx), std::abs(dy));
    return {m.x + SignOf(dx) * side, m.y + SignOf(dy) * side};
}

// The centre of a drag grown from the press point: the nearest half step,
// or with SHIFT the grid corner or cell centre nearest to it.
ImagePoint CentreOf(ImagePoint p, bool square, std::int32_t g) {
    if (!square) return {FloorToMultiple(p.x + g / 4, g / 2), FloorToMultiple(p.y + g / 4, g / 2)};
    std::int32_t fx = PositiveModulo(p.x, g), fy = PositiveModulo(p.y, g);
    if (fx > g / 2) fx = g - fx;
    if (fy > g / 2) fy = g - fy;
    if (fx + fy > g / 2) return {FloorToMultiple(p.x, g) + g / 2, FloorToMultiple(p.y, g) + g / 2};
    return {FloorToMultiple(p.x + g / 2, g), FloorToMultiple(p.y + g / 2, g)};
}

Rect SnapSides(const Rect& r, std::int32_t g) {
    return {FloorToMultiple(r.left - 1 + g / 2, g), FloorToMultiple(r.top - 1 + g / 2, g),
            FloorToMultiple(r.right + g / 2, g), FloorToMultiple(r.bottom + g / 2, g)};
}

} // namespace

bool OnDetailLayer(const Image* image) {
    const Layer* layer = PaintableLayer(image);
    return layer && layer->supersampled();
}

std::int32_t DragGridStep(const Image* image, int zoom) {
    std::int32_t g = OnDetailLayer(image) ? 32 : 256;
    while (g * zoom < 256)
        g *= 2;
    return g;
}

Rect DragRectangle(ImagePoint press, ImagePoint current, DragShape shape, std::int32_t g) {
    ImagePoint p = press, q = current;
    Rect r;
    if (!shape.fromCentre) {
        if (shape.square) {
            // The press point moves to the grid line the drag starts from.
            if (p.x <= q.x) --p.x;
            if (p.y <= q.y) --p.y;
            p = {FloorToMultiple(p.x + g / 2, g), FloorToMultiple(p.y + g / 2, g)};
            q = OnDiagonal(p, q);
        }
        r = {std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y)};
    } else {
        const ImagePoint m = CentreOf(p, shape.square, g);
        if (shape.square) q = OnDiagonal(m, q);
        const std::int32_t hx = std::abs(q.x - m.x), hy = std::abs(q.y - m.y);
        r = {m.x - hx, m.y - hy, m.x + hx, m.y + hy};
    }
    return SnapSides(r, g);
}

Point ConstrainDirection(Point d) {
    const std::int32_t ax = std::abs(d.x), ay = std::abs(d.y);
    if (ax > 2.41 * ay) return {SignOf(d.x) * ax, 0};
    if (ay > 2.41 * ax) return {0, SignOf(d.y) * ay};
    const std::int32_t m = std::min(ax, ay);
    return {SignOf(d.x) * m, SignOf(d.y) * m};
}

Point SnapToGrid(Point d, std::int32_t g) {
    return {FloorToMultiple(d.x + g / 2, g), FloorToMultiple(d.y + g / 2, g)};
}

} // namespace kv
