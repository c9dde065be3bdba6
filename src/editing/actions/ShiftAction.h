#pragma once
#include "editing/history/Action.h"
#include "editing/records/LayerSnapshotRecord.h"
#include "editing/records/SelectionSnapshotRecord.h"
#include "model/Geometry.h"

#include <memory>

namespace kv {

class Image;

// A move of the current layer's content (or of its selected part together
// with the selection) by an offset in 1/256 image pixels. Made by the Move
// tool from the snapshots as they were before the move, then recorded.
class ShiftAction : public Action {
  public:
    explicit ShiftAction(const Image& image);
    // Both snapshots, offsets included.
    void capture(const Image& image) override;
    bool redo(Image& image) override;
    bool undo(Image& image) override;

    Point offset;

  private:
    bool render(Image& image, bool moved);

    std::unique_ptr<LayerSnapshotRecord> m_layerSnapshot;
    std::unique_ptr<SelectionSnapshotRecord> m_selectionSnapshot;
};

} // namespace kv
