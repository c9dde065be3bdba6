#pragma once
// The raster-level mixing operations: opacity on alpha, blending one raster
// over another, merging through a mask, and the single-pixel and tint forms
// that tools use. Every formula is exact to the bit on straight alpha.
#include "model/Color32.h"
#include "model/Geometry.h"
#include "model/MaskArray.h"
#include "model/PixelArray.h"

#include <cstdint>

namespace kv {

// Each alpha becomes (A x f + 2^23) >> 24 for the opacity's 24-bit fraction f;
// colors stay. The rectangle is clipped to the raster.
void ScaleAlpha(PixelArray& raster, const Rect& rect, float opacity);
void ScaleAlpha(PixelArray& raster, float opacity);
// The same with the fraction already computed (kOpacityOne leaves all as is).
void ScaleAlphaByFraction(PixelArray& raster, const Rect& rect, std::uint32_t fraction);

// Blends the source rectangle over the destination with its top-left corner at
// `position`, clipped like a rectangle copy. An opacity whose fraction is below
// 1 does nothing.
void BlendOver(PixelArray& dst, Point position, const PixelArray& src, const Rect& srcRect,
               float opacity);
void BlendOver(PixelArray& dst, Point position, const PixelArray& src, float opacity);
void BlendOverByFraction(PixelArray& dst, Point position, const PixelArray& src,
                         const Rect& srcRect, std::uint32_t fraction);

// Mixes the source into the destination at `position` in proportion to the mask
// byte of each source pixel (255 - byte when inverted). The mask must have the
// source's size; otherwise nothing happens.
void MergeThroughMask(PixelArray& dst, Point position, const PixelArray& src, const MaskArray& mask,
                      bool invert);

// Overlays the color at a quarter of its alpha over the clipped rectangle.
void TintRect(PixelArray& raster, const Rect& rect, Color32 color);

// Blends one color over one pixel with an opacity; nothing outside the raster.
void BlendPixel(PixelArray& raster, std::int32_t x, std::int32_t y, Color32 color, float opacity);

} // namespace kv
