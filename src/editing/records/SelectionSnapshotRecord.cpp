#include "editing/records/SelectionSnapshotRecord.h"

#include "editing/records/SelectionSnapshot.h"

#include <new>

namespace kv {
namespace {
bool RestoreWhole(const RegionRecord* record, MaskArray& target) {
    if (target.isEmpty()) return true;
    return RestoreMask(record, target, RestoreMode::Write);
}
} // namespace

std::unique_ptr<SelectionSnapshotRecord> SelectionSnapshotRecord::take() {
    const SelectionSnapshot& snapshot = SelectionSnapshot::instance();
    std::unique_ptr<SelectionSnapshotRecord> record;
    try {
        record = std::make_unique<SelectionSnapshotRecord>();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    record->width = snapshot.width();
    record->height = snapshot.height();
    record->supersampled = snapshot.supersampled();
    record->offset = snapshot.offset();
    record->mask = CaptureMask(snapshot.mask(), nullptr);
    if (!record->mask) return nullptr;
    if (record->supersampled) {
        record->levelZero = CaptureMask(snapshot.levelZero(), nullptr);
        if (!record->levelZero) return nullptr;
    }
    return record;
}

bool SelectionSnapshotRecord::restore() const {
    SelectionSnapshot& snapshot = SelectionSnapshot::instance();
    if (!snapshot.prepare(width, height, supersampled)) return false;
    if (!RestoreWhole(mask.get(), snapshot.mask())) return false;
    if (supersampled && !RestoreWhole(levelZero.get(), snapshot.levelZero())) return false;
    snapshot.setOffset(offset);
    return true;
}

} // namespace kv
