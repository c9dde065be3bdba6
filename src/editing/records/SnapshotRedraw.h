#pragma once
// Redrawing the current layer and the selection from the before-edit
// snapshots displaced by their offsets: what a move shows while it is under
// way, and how the Shift action replays or reverts it.

namespace kv {

class Layer;
class Selection;

// The layer's editable raster is rebuilt from the layer snapshot. Without an
// active selection the whole snapshot moves by the offset (1/256 image
// pixels); with one, the unselected part stays and the selected part moves
// with its mask. Without a selection the snapshot may have any size (a pasted
// picture); with one it must have the layer's. False when it does not fit.
bool RedrawLayerFromSnapshot(Layer& layer, bool selectionActive);
// The editable mask is rebuilt from the selection snapshot displaced by its
// offset, and the lower levels follow. False when the snapshot does not fit.
bool RedrawSelectionFromSnapshot(Selection& selection);

} // namespace kv
