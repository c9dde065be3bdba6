#pragma once
#include "model/Geometry.h"

namespace kv {

class Layer;
class Selection;

// The steps of one Move drag after the first: each step redraws only the
// 64 x 64 tiles that can differ between the snapshots drawn at the previous
// offsets and at the new ones, which are those the moved content covers at
// either offset (the hole it leaves included, see redraw); everywhere else
// both drawings are the snapshot's unselected part alike. Within those
// tiles the drawing is the whole-raster one: cleared, then the snapshot
// displaced, or the two masked passes with an active selection.
class TiledMoveRedraw {
  public:
    // Reads where the moving content lies in the snapshots. The layer (and
    // the selection, when active) must show the snapshots at their current
    // offsets. Without a fit between the snapshots and the layer nothing is
    // kept, and the steps are drawn whole.
    void begin(const Layer& layer, const Selection* activeSelection);
    // Forgets it all: the next step draws the whole raster.
    void end() { m_ready = false; }
    bool ready() const { return m_ready; }

    // The snapshots' offsets were `layerFrom` and `selectionFrom` (image
    // units) when last drawn and have changed since: the layer, and the
    // selection when given, are brought up to the current offsets.
    void redraw(Layer& layer, Selection* activeSelection, Point layerFrom, Point selectionFrom);

  private:
    bool m_ready = false;
    bool m_selectionActive = false;
    // In the pixels of the snapshot's own raster: what moves of the layer
    // (the non-zero coverage, or the whole snapshot without a selection)
    // and of the selection mask.
    Rect m_content;
    Rect m_mask;
};

} // namespace kv
