#include "editing/actions/ModifySelectionAction.h"

#include "editing/actions/ActionSupport.h"
#include "editing/records/SelectionSnapshot.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"

namespace kv {
namespace {
bool Fits(const RegionRecord& record, const MaskArray& mask) {
    return record.x == 0 && record.y == 0 && record.width == mask.width() &&
           record.height == mask.height();
}
} // namespace

bool SelectionDifferenceFits(const Image& image, const RegionRecord& difference) {
    const Selection* selection = image.selection();
    return selection && Fits(difference, selection->editableMask());
}

bool ApplySelectionDifference(Image& image, const RegionRecord& difference) {
    Selection* selection = image.selection();
    if (!selection || !Fits(difference, selection->editableMask()) ||
        !RestoreMask(&difference, selection->editableMask(), RestoreMode::Add))
        return false;
    selection->refreshFromDetail(nullptr);
    if (selection->empty()) {
        selection->setActive(false);
        selection->followImage(image);
    } else {
        selection->setActive(true);
    }
    return true;
}

bool RevertSelectionDifference(Image& image, const RegionRecord& difference, bool wasActive,
                               bool wasSupersampled) {
    Selection* selection = image.selection();
    if (!selection) return false;
    selection->setActive(wasActive);
    selection->setSupersampled(wasSupersampled);
    if (!Fits(difference, selection->editableMask()) ||
        !RestoreMask(&difference, selection->editableMask(), RestoreMode::Subtract))
        return false;
    selection->refreshFromDetail(nullptr);
    return true;
}

std::unique_ptr<RegionRecord> CaptureSelectionDifference(const Image& image) {
    const Selection* selection = image.selection();
    const MaskArray& before = SelectionSnapshot::instance().mask();
    if (!selection || before.width() != selection->editableMask().width() ||
        before.height() != selection->editableMask().height())
        return nullptr;
    return CaptureMask(selection->editableMask(), &before);
}

ModifySelectionAction::ModifySelectionAction(const Image& image)
    : Action(&image, "Modify Selection") {
    ModifySelectionAction::capture(image);
}

void ModifySelectionAction::capture(const Image& image) {
    if (const Selection* selection = image.selection()) {
        selectionWasActive = selection->active();
        selectionWasSupersampled = selection->supersampled();
    }
}

bool ModifySelectionAction::captureChange(const Image& image) {
    difference = CaptureSelectionDifference(image);
    return difference != nullptr;
}

bool ModifySelectionAction::redo(Image& image) {
    if (!difference) return false;
    if (selectLayerOnRedo)
        if (LayerBase* layer = FindLayerById(image, layerId())) image.setCurrentLayer(layer);
    if (!ApplySelectionDifference(image, *difference)) return false;
    CommitSnapshots(image);
    RefreshUserInterface(image);
    return true;
}

bool ModifySelectionAction::undo(Image& image) {
    if (!difference) return false;
    if (selectLayerOnUndo)
        if (LayerBase* layer = FindLayerById(image, layerId())) image.setCurrentLayer(layer);
    if (!RevertSelectionDifference(image, *difference, selectionWasActive,
                                   selectionWasSupersampled))
        return false;
    CommitSnapshots(image);
    RefreshUserInterface(image);
    return true;
}

} // namespace kv
