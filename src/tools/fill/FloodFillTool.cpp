#include "tools/fill/FloodFillTool.h"

#include "settings/UnsignedSetting.h"
#include "tools/fill/RegionFiller.h"
#include "tools/framework/CoveragePaint.h"
#include "tools/framework/PaintTarget.h"
#include "tools/framework/StatusText.h"
#include "tools/framework/StrokeProtocol.h"
#include "tools/framework/ToolHost.h"
#include "tools/framework/ToolSettings.h"

#include <algorithm>

namespace kv {
namespace {

constexpr ToolOption kOptions[] = {
    {"Tolerance:", kFloodFillToleranceSetting, OptionKind::Slider, 0, 255},
};

} // namespace

FloodFillTool::FloodFillTool(ToolHost& host, ToolSettings& settings)
    : PaintingTool(ToolId::FloodFill, host, settings, CursorRole::Fill,
                   "Left/right click to fill a region. Use ALT to pick colors.") {}

OptionsPanel FloodFillTool::buildOptionsPanel() const {
    return {kOptions};
}

void FloodFillTool::showDragInfo(ImagePoint p) {
    if (m_state == ToolState::Drag)
        host().setStatusText(StatusField::Color, ColorText(paintColor()));
    else
        PaintingTool::showDragInfo(p);
}

void FloodFillTool::startDrag(ImagePoint p) {
    m_press = p;
    m_filled = nullptr;
}

void FloodFillTool::finishDrag() {
    if (fill()) m_filled = host().image();
}

void FloodFillTool::dragEnded() {
    if (m_filled) host().refreshAfterEdit(*m_filled);
    m_filled = nullptr;
}

bool FloodFillTool::fill() {
    const std::optional<PaintTarget> target = PaintTarget::Of(host().image(), host().channelMode());
    if (!target) return false;
    const int shift = 8 - target->level;
    const std::int32_t x = m_press.x >> shift, y = m_press.y >> shift;
    PixelArray& pixels = *target->pixels;
    if (!pixels.bounds().contains(x, y) || !BeginStroke(*target->image)) return false;
    MaskArray region(pixels.width(), pixels.height());
    if (region.isEmpty()) return false;
    const auto tolerance = std::min<std::uint32_t>(settings().floodFillTolerance.value(), 255);
    const Rect filled = RegionFiller(pixels, region, target->channelMode, tolerance).run(x, y);
    PaintCoverage(*target, filled, region, {}, paintColor());
    const Rect units = LayerPixelsToUnits(filled, target->level);
    target->refreshFromDetail(units);
    host().invalidate(units);
    return CommitStroke(*target->image, units, "Flood Fill");
}

} // namespace kv
