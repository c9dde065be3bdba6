#pragma once
#include "editing/history/Action.h"
#include "editing/records/RegionRecord.h"
#include "model/Geometry.h"

#include <memory>

namespace kv {

class Image;

// A change of a rectangle of a layer, kept as its difference against the
// layer snapshot (after - before): every painting tool's stroke, Erase and
// Cut. With a selection difference too it is a paste into the current layer,
// which also changes the selection.
class ModifyLayerAction : public Action {
  public:
    explicit ModifyLayerAction(const Image& image);
    // The selection's flags before the change.
    void capture(const Image& image) override;
    // The current layer's editable raster inside `rect` (editable-raster
    // pixels: 8x image pixels on a supersampled layer) against the layer
    // snapshot; false when they do not fit or the coder fails.
    bool captureLayerChange(const Image& image, const Rect& rect);
    // The whole editable mask against the selection snapshot.
    bool captureSelectionChange(const Image& image);
    bool redo(Image& image) override;
    bool undo(Image& image) override;

    std::unique_ptr<RegionRecord> layerDifference;
    std::unique_ptr<RegionRecord> selectionDifference;
    bool selectionWasActive = false;
    bool selectionWasSupersampled = false;

  private:
    bool apply(Image& image, RestoreMode mode);
};

} // namespace kv
