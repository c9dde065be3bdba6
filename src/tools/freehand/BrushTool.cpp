#include "tools/freehand/BrushTool.h"

#include "settings/UnsignedSetting.h"
#include "tools/framework/OverlayCanvas.h"
#include "tools/framework/StatusText.h"
#include "tools/framework/ToolHost.h"
#include "tools/framework/ToolSettings.h"
#include "tools/freehand/BrushDab.h"
#include "tools/freehand/TipPreviews.h"
#include "tools/freehand/TipProfile.h"

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

constexpr ToolOption kOptions[] = {
    {"Size:", kBrushSizeSetting, OptionKind::Slider, 1, 100},
    {"Hardness, %:", kBrushHardnessSetting, OptionKind::Slider, 0, 100},
    {"Opacity, %:", kBrushOpacitySetting, OptionKind::Slider, 1, 100},
};

constexpr FreehandTool::Hints kHints{
    "Left/right click and drag to paint. Use CTRL to draw lines, ALT to pick colors.",
    "Left/right click and drag to draw a line.",
    "Left/right click to pick a color.",
};

std::int32_t Percent(const UnsignedSetting& setting) {
    return static_cast<std::int32_t>(std::min<std::uint32_t>(setting.value(), 100));
}

} // namespace

BrushTool::BrushTool(ToolHost& host, ToolSettings& settings)
    : FreehandTool(ToolId::Brush, host, settings, settings.brushSize, "Brush Stroke", kHints,
                   true) {}

OptionsPanel BrushTool::buildOptionsPanel() const {
    return {kOptions, OptionsPreview::Tip};
}

TipPreview BrushTool::renderOptionsPreview(std::int32_t boxSize) const {
    return RenderSoftTipPreview(tipUnits() / LayerPixelUnits(layerLevel()),
                                Percent(settings().brushHardness), boxSize);
}

Rect BrushTool::tipRect(ImagePoint p) const {
    return BrushTipRect(p, tipUnits(), host().zoom());
}

Rect BrushTool::dab(ImagePoint p) {
    // Read at every dab: a changed option counts from the next one.
    const std::int32_t hardness = Percent(settings().brushHardness);
    const TipProfile profile(tipUnits() / LayerPixelUnits(layerLevel()), hardness);
    const double strength =
        DabStrength(static_cast<std::uint32_t>(Percent(settings().brushOpacity)),
                    static_cast<std::uint32_t>(hardness));
    return PaintDab(target(), tipRect(p), profile, strength, paintColor());
}

void BrushTool::catchUp() {
    if (m_queue.closed()) return;
    const PointerSample sample = host().samplePointer(m_button);
    if (sample.buttonReleased) m_queue.close();
    m_queue.add(sample.position);
}

Rect BrushTool::segment(ImagePoint b, bool inStroke) {
    const ImagePoint a = anchor();
    Rect changed;
    if (strokeRect().isEmpty()) changed.unite(dab(a));
    if (b == a) return changed;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double f = 10 * std::sqrt(dx * dx + dy * dy) / tipUnits();
    const auto n = static_cast<std::int32_t>(f);
    // Short of a tenth of the tip the anchor stays, and the distance counts
    // towards the next move.
    if (n == 0) return changed;
    ImagePoint last = a;
    for (std::int32_t i = 1; i <= n; ++i) {
        last = {a.x + static_cast<std::int32_t>(std::nearbyint(i * dx / f)),
                a.y + static_cast<std::int32_t>(std::nearbyint(i * dy / f))};
        changed.unite(dab(last));
        if (inStroke) catchUp();
    }
    setAnchor(last);
    return changed;
}

void BrushTool::strokeTo(ImagePoint p) {
    m_queue.reset();
    m_queue.add(p);
    ImagePoint q;
    while (m_queue.take(q))
        addToStroke(segment(q, true));
    if (m_queue.lastAdded() != p) {
        // The catch-up went further than the move: the outline follows.
        const ImagePoint old = currentPoint();
        setCurrentPoint(m_queue.lastAdded());
        host().invalidate(tipRect(old).united(tipRect(currentPoint())));
        showPosition(currentPoint());
    }
}

Rect BrushTool::paintLine(ImagePoint p) {
    return segment(p, false);
}

std::string BrushTool::lineExtentText() const {
    const Rect from = tipRect(anchor()), to = tipRect(currentPoint());
    return FractionalSizeText(to.left - from.left, to.top - from.top);
}

void BrushTool::drawTip(OverlayCanvas& canvas, ImagePoint p) const {
    canvas.ellipse(tipRect(p));
}

} // namespace kv
