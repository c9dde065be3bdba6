#include "editing/actions/DuplicateLayerAction.h"

#include "editing/actions/ActionSupport.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/Layer.h"

namespace kv {

DuplicateLayerAction::DuplicateLayerAction(const Image& image)
    : Action(&image, "Duplicate Layer") {}

bool DuplicateLayerAction::redo(Image& image) {
    Layer* source = FindRasterLayer(image, layerId());
    if (!source) return false;
    SnapshotCommit commit(image);
    {
        ImageUpdateLock lock(image);
        std::unique_ptr<Layer> fresh = CreateRasterLayer();
        Layer& copy = *fresh;
        image.insertLayer(std::move(fresh), source->above());
        copy.setVisible(source->visible());
        copy.setOpacity(source->opacity());
        copy.setSupersampled(source->supersampled());
        CopyRaster(copy.editablePixels(), 0, 0, source->editablePixels());
        copy.refreshFromDetail(nullptr);
    }
    RefreshUserInterface(image);
    return true;
}

bool DuplicateLayerAction::undo(Image& image) {
    LayerBase* copy = LayerAboveOrTop(image, layerId());
    if (!copy) return false;
    SnapshotCommit commit(image);
    {
        ImageUpdateLock lock(image);
        DestroyLayer(image, *copy);
    }
    RefreshUserInterface(image);
    return true;
}

} // namespace kv
