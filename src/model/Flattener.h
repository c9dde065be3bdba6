#pragma once
// Flattening a run of layers (bottom to top, inclusive) into one raster: the
// image composite, the view caches and merged layers.
#include "model/Geometry.h"
#include "model/LayerBase.h"
#include "model/PixelArray.h"

namespace kv {

// Draws the visible layers of the run into `dst` inside `area`; `dst` has the
// layers' size. Returns whether any layer of the run is visible; `dst` is only
// written when it is. The lowest visible normal layer and every replace layer
// are copied with their opacity applied to alpha; other normal layers are
// blended over what lies below with their opacity.
bool Flatten(PixelArray& dst, const Rect& area, const LayerBase& bottom, const LayerBase& top);

// Merges the run into `work`, which is resized to the layers' size, or to 8x
// that when any visible layer of the run is supersampled (plain layers then
// enter magnified 8 times, supersampled ones through their 8x level). A run
// without visible layers gives a raster of 0. Returns whether `work` is 8x.
bool MergeLayerRun(PixelArray& work, const LayerBase& bottom, const LayerBase& top);

} // namespace kv
