#include "tools/gradient/GradientTool.h"

#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "settings/UnsignedSetting.h"
#include "tools/framework/DragGeometry.h"
#include "tools/framework/OverlayCanvas.h"
#include "tools/framework/PaintTarget.h"
#include "tools/framework/StatusText.h"
#include "tools/framework/StrokeProtocol.h"
#include "tools/framework/ToolHost.h"
#include "tools/framework/ToolSettings.h"

#include <cmath>

namespace kv {
namespace {

constexpr const char* kTypes[] = {"Linear", "Radial"};
constexpr ToolOption kOptions[] = {
    {"Type:", kGradientTypeSetting, OptionKind::PictureButtons, 1, 2, kTypes},
};

// Where a gradient is laid: the whole layer, or the selection's bounds at
// the resolution the layer is painted in.
Rect GradientArea(const PaintTarget& target) {
    if (!target.mask) return target.pixels->bounds();
    const Selection& selection = *target.image->selection();
    return target.level ? selection.detailBounds() : selection.levelZeroBounds();
}

} // namespace

GradientTool::GradientTool(ToolHost& host, ToolSettings& settings)
    : PaintingTool(ToolId::Gradient, host, settings, CursorRole::Gradient,
                   "Left/right click and drag to fill the layer or the selection with a "
                   "gradient. Use ALT to pick colors.") {}

OptionsPanel GradientTool::buildOptionsPanel() const {
    return {kOptions};
}

GradientType GradientTool::gradientType() const {
    return settings().gradientType.value() == 2 ? GradientType::Radial : GradientType::Linear;
}

bool GradientTool::wantsAutoScroll() const {
    return m_state == ToolState::Drag;
}

void GradientTool::startDrag(ImagePoint p) {
    m_start = p;
    m_shift = host().modifierKeys().shift;
    m_vector = {};
}

void GradientTool::dragTo(ImagePoint) {
    updateVector();
}

void GradientTool::dragKeysChanged() {
    const bool shift = host().modifierKeys().shift;
    if (shift == m_shift) return;
    m_shift = shift;
    updateVector();
    updateHint();
}

const char* GradientTool::dragHint() const {
    return m_shift ? "" : "Use SHIFT to constrain the direction to multiples of 45 degrees.";
}

Rect GradientTool::overlayArea(Point v) const {
    // The marks reach a few screen pixels beyond the points.
    const std::int32_t zoom = host().zoom();
    const std::int32_t margin = ((OverlayCanvas::kMarkRadius + 1) * 256 + zoom - 1) / zoom;
    Rect r{std::min(m_start.x, m_start.x + v.x), std::min(m_start.y, m_start.y + v.y),
           std::max(m_start.x, m_start.x + v.x) + 1, std::max(m_start.y, m_start.y + v.y) + 1};
    if (gradientType() == GradientType::Radial) {
        const auto radius = static_cast<std::int32_t>(std::ceil(std::hypot(v.x, v.y)));
        r = {m_start.x - radius, m_start.y - radius, m_start.x + radius + 1,
             m_start.y + radius + 1};
    }
    return {r.left - margin, r.top - margin, r.right + margin, r.bottom + margin};
}

void GradientTool::updateVector() {
    const ImagePoint p = currentPoint();
    Point v{p.x - m_start.x, p.y - m_start.y};
    if (m_shift) v = ConstrainDirection(v);
    host().invalidate(overlayArea(m_vector).united(overlayArea(v)));
    if (v == m_vector) return;
    m_vector = v;
    host().setStatusText(StatusField::Size, FractionalSizeText(v.x, v.y));
}

void GradientTool::finishDrag() {
    if (Image* image = host().image(); image && m_vector != Point{}) apply(*image);
}

void GradientTool::apply(Image& image) {
    if (!image.selection() || !image.currentLayer()) return;
    const std::optional<PaintTarget> target = PaintTarget::Of(&image, host().channelMode());
    if (!target) {
        CommitSnapshots(image);
        return;
    }
    const Rect area = GradientArea(*target);
    if (area.isEmpty() || !BeginStroke(image)) return;
    const Gradient gradient{gradientType(), m_start, m_vector, paintColor(), otherColor()};
    PaintGradient(*target, area, gradient);
    const Rect units = LayerPixelsToUnits(area, target->level);
    target->refreshFromDetail(units);
    host().invalidate(units);
    CommitStroke(image, units, "Gradient");
}

void GradientTool::dragEnded() {
    host().invalidate(overlayArea(m_vector));
    host().setStatusText(StatusField::Size, {});
    if (Image* image = host().image()) host().refreshAfterEdit(*image);
}

void GradientTool::paintOverlay(OverlayCanvas& canvas) {
    if (m_state != ToolState::Drag) return;
    canvas.mark(m_start);
    if (m_vector == Point{}) return;
    const ImagePoint end{m_start.x + m_vector.x, m_start.y + m_vector.y};
    canvas.line(m_start, end);
    if (gradientType() == GradientType::Linear) {
        canvas.mark(end);
        return;
    }
    const auto radius = static_cast<std::int32_t>(std::lround(std::hypot(m_vector.x, m_vector.y)));
    canvas.ellipse(
        {m_start.x - radius, m_start.y - radius, m_start.x + radius, m_start.y + radius});
}

} // namespace kv
