#include "editing/records/SelectionRecord.h"

#include "model/Image.h"
#include "model/Selection.h"

#include <new>

namespace kv {

std::unique_ptr<SelectionRecord> SelectionRecord::take(const Selection& selection) {
    std::unique_ptr<SelectionRecord> record;
    try {
        record = std::make_unique<SelectionRecord>();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    record->active = selection.active();
    record->supersampled = selection.supersampled();
    record->width = selection.width();
    record->height = selection.height();
    record->mask = CaptureMask(selection.editableMask(), nullptr);
    if (!record->mask) return nullptr;
    return record;
}

void SelectionRecord::restore(Selection& selection) const {
    if (selection.width() != width || selection.height() != height) return;
    selection.setActive(active);
    selection.setSupersampled(supersampled);
    if (!RestoreMask(mask.get(), selection.editableMask(), RestoreMode::Write))
        selection.editableMask().fill(0);
    selection.refreshFromDetail(nullptr);
}

bool TakeSelectionRecord(const Image& image, std::unique_ptr<SelectionRecord>& record) {
    const Selection* selection = image.selection();
    if (!selection || record) return true;
    record = SelectionRecord::take(*selection);
    return record != nullptr;
}

void RestoreSelectionRecord(Image& image, const SelectionRecord* record) {
    if (Selection* selection = image.selection(); selection && record) record->restore(*selection);
}

} // namespace kv
