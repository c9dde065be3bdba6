#include "tools/freehand/HardTipTool.h"

#include "editing/records/LayerSnapshot.h"
#include "tools/framework/OverlayCanvas.h"
#include "tools/framework/StatusText.h"
#include "tools/freehand/HardTip.h"
#include "tools/freehand/TipPreviews.h"

namespace kv {

HardTipTool::HardTipTool(ToolId id, ToolHost& host, ToolSettings& settings,
                         std::span<const ToolOption> options, UnsignedSetting& size,
                         const char* undoLabel, Hints hints, bool picksColors)
    : FreehandTool(id, host, settings, size, undoLabel, hints, picksColors), m_options(options) {}

OptionsPanel HardTipTool::buildOptionsPanel() const {
    return {m_options, OptionsPreview::Tip};
}

TipPreview HardTipTool::renderOptionsPreview(std::int32_t boxSize) const {
    return RenderHardTipPreview(tipSize(), boxSize);
}

Rect HardTipTool::tipRect(ImagePoint p) const {
    return HardTipRect(p, tipSize(), layerLevel());
}

Rect HardTipTool::segment(ImagePoint from, ImagePoint to) {
    return PaintHardSegment(target(), LayerSnapshot::instance().pixels(), from, to, tipSize(),
                            paintColor());
}

void HardTipTool::strokeTo(ImagePoint p) {
    const Rect changed = segment(anchor(), p);
    setAnchor(p);
    addToStroke(changed);
}

Rect HardTipTool::paintLine(ImagePoint p) {
    return segment(anchor(), p);
}

std::string HardTipTool::lineExtentText() const {
    const Rect from = tipRect(anchor()), to = tipRect(currentPoint());
    const std::int32_t dx = to.left - from.left, dy = to.top - from.top;
    return layerLevel() ? FractionalSizeText(dx, dy) : PixelSizeText(dx, dy);
}

void HardTipTool::drawTip(OverlayCanvas& canvas, ImagePoint p) const {
    const Rect r = tipRect(p);
    canvas.cellOutline(HardTipCells(tipSize()), {r.left, r.top}, LayerPixelUnits(layerLevel()));
}

} // namespace kv
