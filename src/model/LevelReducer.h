#pragma once
// Keeps the lower levels of a supersampled layer in step with its 8x detail
// level by repeated 2 x 2 reduction.
#include "model/Geometry.h"
#include "model/PixelArray.h"
#include "model/SupersampleSet.h"

namespace kv {

// Every pixel of `rect` (in `dst` coordinates, clipped to it) becomes the
// alpha-weighted average of its 2 x 2 block in `src`, which must be twice the
// size of `dst`; otherwise nothing happens.
void ReduceTwice(const PixelArray& src, PixelArray& dst, const Rect& rect);

// Rewrites the 4x, 2x and level-0 pixels from the 8x level inside the
// rectangle (layer pixels; the whole layer when null).
void ReduceLevels(SupersampleSet& set, const Rect* rect = nullptr);

} // namespace kv
