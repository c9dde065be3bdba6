#pragma once
// Redrawing the current layer and the selection from the before-edit
// snapshots displaced by their offsets: what a move shows while it is under
// way, and how the Shift action replays or reverts it.

#include "model/Geometry.h"
#include "model/MaskArray.h"
#include "model/PixelArray.h"

namespace kv {

class Layer;
class Selection;
class SelectionSnapshot;

// The layer's editable raster is rebuilt from the layer snapshot. Without an
// active selection the whole snapshot moves by the offset (1/256 image
// pixels); with one, the unselected part stays and the selected part moves
// with its mask. Without a selection the snapshot may have any size (a pasted
// picture); with one it must have the layer's. False when it does not fit.
bool RedrawLayerFromSnapshot(Layer& layer, bool selectionActive);
// The editable mask is rebuilt from the selection snapshot displaced by its
// offset, and the lower levels follow. False when the snapshot does not fit.
bool RedrawSelectionFromSnapshot(Selection& selection);

// The pieces of those redraws, each limited to an area of the destination,
// so that a move under way can redraw only the tiles it touches.

// Snapshot offsets are in 1/256 image pixels; an 8x raster has 32 per pixel.
Point SnapshotOffsetInRasterPixels(Point offset, bool detail);
// The mask a moved selection weighs the layer's pixels by.
const MaskArray& MoveCoverage(const SelectionSnapshot& selection, bool detailLayer);
// Within area: cleared, then src displaced by d copied in.
void DisplacedCopy(PixelArray& dst, const PixelArray& src, Point d, const Rect& area);
void DisplacedCopy(MaskArray& dst, const MaskArray& src, Point d, const Rect& area);
// Within area: the part of src that stays and the part displaced by d, each
// laid by its own mask byte (src and mask have dst's size, d is not zero).
void LayMovedSelection(PixelArray& dst, const PixelArray& src, const MaskArray& mask, Point d,
                       const Rect& area);

} // namespace kv
