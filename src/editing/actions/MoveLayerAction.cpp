#include "editing/actions/MoveLayerAction.h"

#include "editing/actions/ActionSupport.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"

namespace kv {

MoveLayerAction::MoveLayerAction(const Image& image) : Action(&image, "Move Layer") {}

bool MoveLayerAction::place(Image& image, std::int32_t belowId) {
    LayerBase* layer = FindLayerById(image, layerId());
    if (!layer) return false;
    SnapshotCommit commit(image);
    MoveLayerAbove(image, *layer, belowId);
    RefreshUserInterface(image);
    return true;
}

bool MoveLayerAction::redo(Image& image) {
    return place(image, targetId);
}

bool MoveLayerAction::undo(Image& image) {
    return place(image, layerBelowId());
}

} // namespace kv
