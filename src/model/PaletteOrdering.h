#pragma once
#include "model/Color32.h"

#include <vector>

namespace kv {

// Rearranges palette colors for display: the opaque ones along a short path
// through CIE L*a*b* from black to white, built by inserting the color
// farthest from the path where it lengthens the path least; colors that are
// not fully opaque follow in their old order. False (after "Palette ordering
// failed") when the work memory cannot be had; the colors are then untouched.
bool OrderPaletteColors(std::vector<Color32>& colors);

} // namespace kv
