#include "tools/shapes/EllipseTool.h"

#include "tools/framework/OverlayCanvas.h"
#include "tools/framework/ToolSettings.h"

#include <algorithm>

namespace kv {
namespace {

constexpr ToolOption kOptions[] = {
    {"Type:", kEllipseTypeSetting, OptionKind::PictureButtons, 1, 3, kShapeTypeNames},
    {"Outline:", kEllipseOutlineWidthSetting, OptionKind::Slider, 1, 100},
};

Span Intersect(Span a, Span b) {
    return {std::max(a.x0, b.x0), std::min(a.x1, b.x1)};
}

} // namespace

EllipseTool::EllipseTool(ToolHost& host, ToolSettings& settings)
    : ShapeTool(ToolId::Ellipse, host, settings, kOptions, settings.ellipseType,
                settings.ellipseOutlineWidth, "Ellipse",
                "Left/right click and drag to create an ellipse. Use ALT to pick colors.") {}

ShapeRow EllipseTool::shapeRow(const Rect& r, std::int32_t width, std::int32_t y) const {
    const InscribedEllipse ellipse(r);
    const Span outer = ellipse.row(y);
    if (outer.isEmpty()) return {};
    if (width > 1) return {outer, Intersect(outer, InscribedEllipse(r, width).row(y))};
    // Inside: the pixel, its left and right neighbours and those above and
    // below are all in the ellipse.
    Span inner{outer.x0 + 1, outer.x1 - 1};
    inner = Intersect(Intersect(inner, ellipse.row(y - 1)), ellipse.row(y + 1));
    return {outer, inner};
}

void EllipseTool::drawOutline(OverlayCanvas& canvas, const Rect& units) const {
    canvas.ellipse(units);
}

} // namespace kv
