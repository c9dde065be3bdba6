#include "tools/freehand/EraserTool.h"

#include "tools/framework/ToolSettings.h"

namespace kv {
namespace {

constexpr ToolOption kOptions[] = {
    {"Size:", kEraserSizeSetting, OptionKind::Slider, 1, 100},
};

constexpr FreehandTool::Hints kHints{
    "Click and drag to erase. Use CTRL to erase lines.",
    "Click and drag to erase a line.",
    nullptr,
};

} // namespace

EraserTool::EraserTool(ToolHost& host, ToolSettings& settings)
    : HardTipTool(ToolId::Eraser, host, settings, kOptions, settings.eraserSize, "Eraser Stroke",
                  kHints, false) {}

} // namespace kv
