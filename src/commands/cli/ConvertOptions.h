#pragma once
// What --convert may be told besides its two files.
#include "model/ModelTypes.h"
#include "storage/project/CompressionLevel.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kv {

// The sides --sizes accepts; the ICO and CUR plug-in itself stops at 256.
inline constexpr std::int32_t kMaxConvertSize = 1024;

struct CursorHotspot {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct ConvertOptions {
    // For a project written; none: the "Project.File.Compression" setting.
    std::optional<CompressionLevel> compression;
    // One square image per side, made from one picture; empty keeps the
    // images as they are.
    std::vector<std::int32_t> sizes;
    // The target format of every image written; none keeps each image's own
    // (and 32 bits for an icon set made with sizes).
    std::optional<TargetFormat> depth;
    // The input's image to use, counted from 1 in the input's order.
    std::optional<std::int32_t> image;
    // The hotspot of a cursor written, the same pixel in every entry.
    std::optional<CursorHotspot> hotspot;

    // True when the conversion is a plain re-save of a project.
    bool changesNothing() const { return sizes.empty() && !depth && !image && !hotspot; }
};

// The target format of a --depth value (32, 24, 8, 4 or 1), or none.
std::optional<TargetFormat> TargetFormatForDepth(std::int32_t bits);

} // namespace kv
