#include "editing/records/LayerSnapshotRecord.h"

#include "editing/records/LayerSnapshot.h"

#include <new>

namespace kv {

std::unique_ptr<LayerSnapshotRecord> LayerSnapshotRecord::take() {
    const LayerSnapshot& snapshot = LayerSnapshot::instance();
    std::unique_ptr<LayerSnapshotRecord> record;
    try {
        record = std::make_unique<LayerSnapshotRecord>();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    record->width = snapshot.width();
    record->height = snapshot.height();
    record->level = snapshot.level();
    record->offset = snapshot.offset();
    record->pixels = CaptureRegion(snapshot.pixels(), nullptr, nullptr);
    if (!record->pixels) return nullptr;
    return record;
}

bool LayerSnapshotRecord::restore() const {
    LayerSnapshot& snapshot = LayerSnapshot::instance();
    if (!snapshot.prepare(width, height, level)) return false;
    if (pixels && pixels->width > 0 && pixels->height > 0 &&
        !RestoreRegion(pixels.get(), snapshot.pixels(), RestoreMode::Write))
        return false;
    snapshot.setOffset(offset);
    return true;
}

} // namespace kv
