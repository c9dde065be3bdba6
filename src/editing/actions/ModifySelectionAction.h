#pragma once
#include "editing/history/Action.h"
#include "editing/records/RegionRecord.h"

#include <memory>

namespace kv {

class Image;

// A change of the selection mask, kept as the difference of the whole
// editable mask against the selection snapshot. Made before the change (to
// keep the flags), captured after it and then recorded. Capture before an
// emptied selection follows the image: following may drop its 8x level, and
// the difference must be taken at the level the snapshot has.
class ModifySelectionAction : public Action {
  public:
    explicit ModifySelectionAction(const Image& image);
    // The selection's flags before the change.
    void capture(const Image& image) override;
    // The difference of the editable mask against the selection snapshot;
    // false when they do not fit or the coder fails.
    bool captureChange(const Image& image);
    bool redo(Image& image) override;
    bool undo(Image& image) override;

    std::unique_ptr<RegionRecord> difference;
    bool selectLayerOnRedo = false;
    bool selectLayerOnUndo = false;
    bool selectionWasActive = false;
    bool selectionWasSupersampled = false;
};

// Shared with the layer-and-selection kind of Modify Layer. Both refuse
// (false, nothing changed) a difference that does not fit the mask.
bool ApplySelectionDifference(Image& image, const RegionRecord& difference);
bool RevertSelectionDifference(Image& image, const RegionRecord& difference, bool wasActive,
                               bool wasSupersampled);
std::unique_ptr<RegionRecord> CaptureSelectionDifference(const Image& image);
// Whether the difference covers the selection's editable mask as it is now.
bool SelectionDifferenceFits(const Image& image, const RegionRecord& difference);

} // namespace kv
