#pragma once
#include "model/PixelArray.h"

namespace kv {

// How much visual detail a picture holds, to pick the most telling image for
// a thumbnail: the conditional entropy of each byte given the one before it
// (bytes B, G, R, A in row order), scaled by the square root of the area.
// A picture without pixels scores 0.
double DetailScore(const PixelArray& pixels);

} // namespace kv
