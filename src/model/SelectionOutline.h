#pragma once
#include "model/Geometry.h"
#include "model/PixelArray.h"

#include <cstdint>

namespace kv {

class MaskArray;
class Selection;

// The marching ants: eight opaque grays indexed by (x + y - phase) mod 8,
// x and y being view pixels counted from the image's top-left corner.
Color32 OutlinePatternColor(std::int32_t x, std::int32_t y, std::uint32_t phase);

// The phase that the animation timer advances while a selection is active.
std::uint32_t SelectionOutlinePhase();
void AdvanceSelectionOutlinePhase();

// Draws the outline of the bytes >= 128 of a mask, magnified by zoom, into the
// view raster inside the clip rectangle; origin is where the mask's (0, 0)
// lies on the view.
void DrawMaskOutline(const MaskArray& mask, PixelArray& view, const Rect& clip, Point origin,
                     std::int32_t zoom, std::uint32_t phase);

// The selection's outline at the view's zoom. While supersampled the most
// detailed level that the zoom allows is drawn, with the zoom left over.
void DrawSelectionOutline(const Selection& selection, PixelArray& view, const Rect& clip,
                          Point origin, std::int32_t zoom, std::uint32_t phase);

} // namespace kv
