#include "tools/shapes/RectangleTool.h"

#include "tools/framework/OverlayCanvas.h"
#include "tools/framework/ToolSettings.h"

namespace kv {
namespace {

constexpr ToolOption kOptions[] = {
    {"Type:", kRectangleTypeSetting, OptionKind::PictureButtons, 1, 3, kShapeTypeNames},
    {"Outline:", kRectangleOutlineWidthSetting, OptionKind::Slider, 1, 100},
};

} // namespace

RectangleTool::RectangleTool(ToolHost& host, ToolSettings& settings)
    : ShapeTool(ToolId::Rectangle, host, settings, kOptions, settings.rectangleType,
                settings.rectangleOutlineWidth, "Rectangle",
                "Left/right click and drag to create a rectangle. Use ALT to pick colors.") {}

ShapeRow RectangleTool::shapeRow(const Rect& r, std::int32_t width, std::int32_t y) const {
    if (y < r.top || y >= r.bottom) return {};
    const bool inside = y >= r.top + width && y < r.bottom - width;
    return {{r.left, r.right}, inside ? Span{r.left + width, r.right - width} : Span{}};
}

void RectangleTool::drawOutline(OverlayCanvas& canvas, const Rect& units) const {
    canvas.rectangle(units);
}

} // namespace kv
