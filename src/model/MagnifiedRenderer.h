#pragma once
// Drawing a raster into a view at an integer zoom, each source pixel becoming
// a zoom x zoom block.
#include "model/Geometry.h"
#include "model/PixelArray.h"

namespace kv {

enum class RenderOperation { Copy = 1, Blend = 2 };

// Draws `src` into `view` with its pixel (0, 0) at `origin` and every pixel
// magnified `zoom` times, writing only inside `clip` (clipped to the view).
// Copy writes the source pixels; Blend mixes them over the view with the
// opacity by the blend-over rule. A zoom below 1 draws nothing.
void RenderMagnified(PixelArray& view, const Rect& clip, Point origin, int zoom,
                     const PixelArray& src, RenderOperation operation, float opacity = 1.0f);

// The render operation of a layer raster: Copy copies and then scales the alpha
// of the clip rectangle by the opacity; Blend blends with the opacity.
void RenderWithOpacity(PixelArray& view, const Rect& clip, Point origin, int zoom,
                       const PixelArray& src, RenderOperation operation, float opacity);

} // namespace kv
