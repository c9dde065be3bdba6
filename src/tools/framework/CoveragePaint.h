#pragma once
#include "model/Color32.h"
#include "model/Geometry.h"
#include "model/MaskArray.h"

namespace kv {

struct PaintTarget;

// Paints one colour into the target's layer pixels inside `rect` (layer
// pixels, inside the layer), each with the strength of its coverage byte,
// the coverage raster's cell (0, 0) lying on layer pixel `origin`. Under a
// selection the strength is multiplied by the mask byte; pixels of strength
// 0 stay as they are.
void PaintCoverage(const PaintTarget& target, const Rect& rect, const MaskArray& coverage,
                   Point origin, Color32 color);

} // namespace kv
