#include "editing/actions/ModifyLayerAction.h"

#include "editing/actions/ActionSupport.h"
#include "editing/actions/ModifySelectionAction.h"
#include "editing/records/LayerSnapshot.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/Layer.h"

namespace kv {

ModifyLayerAction::ModifyLayerAction(const Image& image) : Action(&image, "Modify Layer") {
    ModifyLayerAction::capture(image);
}

void ModifyLayerAction::capture(const Image& image) {
    if (const Selection* selection = image.selection()) {
        selectionWasActive = selection->active();
        selectionWasSupersampled = selection->supersampled();
    }
}

bool ModifyLayerAction::captureLayerChange(const Image& image, const Rect& rect) {
    layerDifference.reset();
    const LayerBase* layer = image.currentLayer();
    const PixelArray& before = LayerSnapshot::instance().pixels();
    if (!layer) return false;
    const PixelArray& after = EditablePixelsOf(*layer);
    if (before.width() != after.width() || before.height() != after.height()) return false;
    layerDifference = CaptureRegion(after, &rect, &before);
    return layerDifference != nullptr;
}

bool ModifyLayerAction::captureSelectionChange(const Image& image) {
    selectionDifference = CaptureSelectionDifference(image);
    return selectionDifference != nullptr;
}

bool ModifyLayerAction::apply(Image& image, RestoreMode mode) {
    Layer* layer = FindRasterLayer(image, layerId());
    if (!layer || !layerDifference) return false;
    // Redo can tell beforehand whether the mask takes its difference; undo
    // first puts the selection's level back, which decides the mask's size.
    if (selectionDifference &&
        (!image.selection() ||
         (mode == RestoreMode::Add && !SelectionDifferenceFits(image, *selectionDifference))))
        return false;
    if (!RestoreRegion(layerDifference.get(), layer->editablePixels(), mode)) return false;
    const RegionRecord& r = *layerDifference;
    const Rect changed =
        DetailToImageRect({r.x, r.y, r.x + r.width, r.y + r.height}, layer->supersamplingFactor());
    layer->refreshFromDetail(&changed);
    image.update(changed);
    if (selectionDifference) {
        if (mode == RestoreMode::Add)
            ApplySelectionDifference(image, *selectionDifference);
        else
            RevertSelectionDifference(image, *selectionDifference, selectionWasActive,
                                      selectionWasSupersampled);
    }
    CommitSnapshots(image);
    RefreshUserInterface(image);
    return true;
}

bool ModifyLayerAction::redo(Image& image) {
    return apply(image, RestoreMode::Add);
}

bool ModifyLayerAction::undo(Image& image) {
    return apply(image, RestoreMode::Subtract);
}

} // namespace kv
