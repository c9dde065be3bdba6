#pragma once
// The grid that shape, selection and move drags snap to, the rectangle a
// drag spans, and the 45-degree constraint of SHIFT.
#include "model/Geometry.h"
#include "tools/framework/ToolGeometry.h"

#include <cstdint>

namespace kv {

class Image;

// Whether the current layer is a visible, supersampled raster layer: drags
// then snap to its 8x pixels and sizes are shown with three decimals.
bool OnDetailLayer(const Image* image);

// The grid step in image units: one layer pixel (256, or 32 on a detail
// layer), doubled until it covers at least one screen pixel at the zoom.
std::int32_t DragGridStep(const Image* image, int zoom);

// How SHIFT and ALT shape a drag: a square, grown from the press point as
// its centre.
struct DragShape {
    bool square = false;
    bool fromCentre = false;
    friend constexpr bool operator==(DragShape, DragShape) = default;
};

// The rectangle dragged from `press` to `current` on a grid of step g, its
// sides snapped to the grid (image units).
Rect DragRectangle(ImagePoint press, ImagePoint current, DragShape shape, std::int32_t g);

// A difference constrained to the horizontal, the vertical or a diagonal:
// flat when one component exceeds 2.41 times the other, else diagonal with
// the smaller magnitude; the signs stay (a zero counts as positive).
Point ConstrainDirection(Point d);

// Each component rounded to the nearest multiple of g (halves up).
Point SnapToGrid(Point d, std::int32_t g);

} // namespace kv
