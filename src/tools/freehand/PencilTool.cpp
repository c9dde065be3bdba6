#include "tools/freehand/PencilTool.h"

#include "tools/framework/ToolSettings.h"

namespace kv {
namespace {

constexpr ToolOption kOptions[] = {
    {"Size:", kPencilSizeSetting, OptionKind::Slider, 1, 100},
};

constexpr FreehandTool::Hints kHints{
    "Left/right click and drag to paint. Use CTRL to draw lines, ALT to pick colors.",
    "Left/right click and drag to draw a line.",
    "Left/right click to pick a color.",
};

} // namespace

PencilTool::PencilTool(ToolHost& host, ToolSettings& settings)
    : HardTipTool(ToolId::Pencil, host, settings, kOptions, settings.pencilSize, "Pencil Stroke",
                  kHints, true) {}

} // namespace kv
