#pragma once
// The Pencil's and Eraser's tip: a disc of Size layer pixels aligned to the
// pixel grid, stamped at every step of the digital line between two tip
// positions. Every pixel is computed from the layer as it was before the
// stroke, so passing over a pixel again changes nothing.
#include "model/Color32.h"
#include "model/Geometry.h"
#include "model/MaskArray.h"
#include "model/PixelArray.h"
#include "tools/framework/ToolGeometry.h"

#include <cstdint>

namespace kv {

struct PaintTarget;

// The Size x Size layer pixels the tip covers at a point: centred on the
// pixel under the point for an odd size, on the nearest pixel corner for an
// even one. Image units.
Rect HardTipRect(ImagePoint p, std::int32_t size, int level);

// Which cells of the Size x Size block the disc covers (255 or 0).
MaskArray HardTipCells(std::int32_t size);

// Paints the tip moved in a straight line from a to b at full strength (the
// mask byte under a selection) with `color`, each pixel mixed into its
// `before` pixel. The changed area in image units, empty when the stroke
// misses the layer.
Rect PaintHardSegment(const PaintTarget& target, const PixelArray& before, ImagePoint a,
                      ImagePoint b, std::int32_t size, Color32 color);

} // namespace kv
