#pragma once
#include "editing/records/RegionRecord.h"
#include "model/Geometry.h"

#include <cstdint>
#include <memory>

namespace kv {

// The layer snapshot as it was at capture, offset included.
struct LayerSnapshotRecord {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int level = 0;
    Point offset;
    std::unique_ptr<RegionRecord> pixels;

    // Of the process-wide snapshot; null when the coder fails.
    static std::unique_ptr<LayerSnapshotRecord> take();
    // Puts the snapshot back exactly; false when memory or the data fail.
    bool restore() const;
};

} // namespace kv
