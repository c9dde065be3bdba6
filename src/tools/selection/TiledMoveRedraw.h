#pragma once
#include "model/Geometry.h"

namespace kv {

class Image;
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
    void begin(const Image& image, const Layer& layer, const Selection* activeSelection);
    // Forgets it all: the next step draws the whole raster.
    void end() { m_ready = false; }
    // Whether the layer and the snapshots are still as the last step left
    // them: nothing else (an undo, say) came between the steps.
    bool ready(const Image& image, const Layer& layer) const;

    // The snapshots' offsets were `layerFrom` and `selectionFrom` (image
    // units) when last drawn and have changed since: the layer, and the
    // selection when given, are brought up to the current offsets.
    void redraw(const Image& image, Layer& layer, Selection* activeSelection, Point layerFrom,
                Point selectionFrom);

  private:
    // What would betray a change made between two steps.
    struct Witness {
        const void* layer = nullptr;
        const void* pixels = nullptr;
        const void* snapshot = nullptr;
        const void* undo = nullptr;
        const void* redo = nullptr;
        Point layerOffset, selectionOffset;
        bool operator==(const Witness&) const = default;
    };
    static Witness observe(const Image& image, const Layer& layer);

    bool m_ready = false;
    Witness m_witness;
    bool m_selectionActive = false;
    // In the pixels of the snapshot's own raster: what moves of the layer
    // (the non-zero coverage, or the whole snapshot without a selection)
    // and of the selection mask.
    Rect m_content;
    Rect m_mask;
};

} // namespace kv
