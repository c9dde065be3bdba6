#pragma once
#include "editing/history/Action.h"
#include "editing/records/LayerSnapshotRecord.h"
#include "editing/records/SelectionRecord.h"

#include <memory>

namespace kv {

class Image;

// A picture pasted as a new layer above the current one. The Paste command
// puts the picture into the layer snapshot (the paste position as its
// offset), constructs the action (which records the selection, so construct
// it before the selection is cleared), takes the picture record and performs
// it; the run clears the selection.
class PasteAction : public Action {
  public:
    explicit PasteAction(const Image& image);
    // The selection as it was.
    void capture(const Image& image) override;
    // The layer snapshot holding the pasted picture; false when the coder fails.
    bool takePastedPicture();
    bool redo(Image& image) override;
    bool undo(Image& image) override;

  private:
    std::unique_ptr<SelectionRecord> m_selection;
    std::unique_ptr<LayerSnapshotRecord> m_picture;
    bool m_captured = false;
};

} // namespace kv
