#include "editing/actions/NewLayerAction.h"

#include "editing/actions/ActionSupport.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/Layer.h"

namespace kv {

NewLayerAction::NewLayerAction(const Image& image) : Action(&image, "New Layer") {
    NewLayerAction::capture(image);
}

void NewLayerAction::capture(const Image& image) {
    if (const Selection* selection = image.selection())
        selectionWasSupersampled = selection->supersampled();
}

bool NewLayerAction::redo(Image& image) {
    SnapshotCommit commit(image);
    {
        ImageUpdateLock lock(image);
        InsertNewRasterLayer(image, layerId(), supersampled);
    }
    RefreshUserInterface(image);
    return true;
}

bool NewLayerAction::undo(Image& image) {
    LayerBase* added = LayerAboveOrTop(image, layerId());
    if (!added) return false;
    SnapshotCommit commit(image);
    DestroyInsertedLayer(image, *added, layerId());
    if (Selection* selection = image.selection())
        selection->setSupersampled(selectionWasSupersampled);
    RefreshUserInterface(image);
    return true;
}

} // namespace kv
