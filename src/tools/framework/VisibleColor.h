#pragma once
// Colour picking reads what the user sees, not the current layer alone.
#include "model/Color32.h"
#include "tools/framework/ToolGeometry.h"

namespace kv {

class Image;

// Whether a point lies over one of the image's pixels.
bool PointInImage(const Image& image, ImagePoint p);

// The colour the view shows at a point: the layers below the current one, the
// current layer when visible (at the level the zoom draws, with what a tool is
// painting) and the layers above, composed for the screen pixel under the
// point, the lowest present copied and the others blended over it; no
// chequer board and no grid. Transparent black when nothing is shown.
Color32 VisibleColorAt(const Image& image, ImagePoint p, int zoom);

} // namespace kv
