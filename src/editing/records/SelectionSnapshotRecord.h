#pragma once
#include "editing/records/RegionRecord.h"
#include "model/Geometry.h"

#include <cstdint>
#include <memory>

namespace kv {

// The selection snapshot as it was at capture: its editable mask and, while
// supersampled, its level-0 mask, offset included.
struct SelectionSnapshotRecord {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool supersampled = false;
    Point offset;
    std::unique_ptr<RegionRecord> mask;
    std::unique_ptr<RegionRecord> levelZero;

    // Of the process-wide snapshot; null when the coder fails.
    static std::unique_ptr<SelectionSnapshotRecord> take();
    // Puts the snapshot back exactly; false when memory or the data fail.
    bool restore() const;
};

} // namespace kv
