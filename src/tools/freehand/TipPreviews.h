#pragma once
// The tip pictures of the painting tools' options panels, at the tip's true
// pixel size in a square box.
#include "tools/framework/ToolOptions.h"

#include <cstdint>

namespace kv {

// The Pencil's and Eraser's hard disc.
TipPreview RenderHardTipPreview(std::int32_t size, std::int32_t boxSize);
// The Brush's soft tip, with the coverage rules of a dab.
TipPreview RenderSoftTipPreview(std::int32_t size, std::int32_t hardnessPercent,
                                std::int32_t boxSize);

} // namespace kv
