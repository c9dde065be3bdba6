#pragma once
// One impression of the Brush's soft tip, mixed into the layer's current
// pixels so that dabs build up within a stroke.
#include "model/Color32.h"
#include "model/Geometry.h"
#include "tools/framework/ToolGeometry.h"

#include <cstdint>

namespace kv {

struct PaintTarget;
class TipProfile;

// The tip's square at a point, `tipUnits` wide. When its on-screen width is
// even it moves by half a screen pixel, so that the outline sits centred.
Rect BrushTipRect(ImagePoint p, std::int32_t tipUnits, int zoom);

// Paints one dab with the tip square `tip`: every pixel gets the profile's
// coverage times `strength`, rounded, limited by the selection. The changed
// area in image units (whole layer pixels), empty outside the layer.
Rect PaintDab(const PaintTarget& target, const Rect& tip, const TipProfile& profile,
              double strength, Color32 color);

} // namespace kv
