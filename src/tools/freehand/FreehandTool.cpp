#include "tools/freehand/FreehandTool.h"

#include "model/Layer.h"
#include "settings/UnsignedSetting.h"
#include "tools/framework/OverlayCanvas.h"
#include "tools/framework/StatusText.h"
#include "tools/framework/StrokeProtocol.h"
#include "tools/framework/ToolHost.h"
#include "tools/framework/ToolSettings.h"

#include <algorithm>

namespace kv {

FreehandTool::FreehandTool(ToolId id, ToolHost& host, ToolSettings& settings, UnsignedSetting& size,
                           const char* undoLabel, Hints hints, bool picksColors)
    : Tool(id, host, settings), m_size(size), m_undoLabel(undoLabel), m_hints(hints),
      m_picksColors(picksColors) {}

int FreehandTool::layerLevel() const {
    if (m_target) return m_target->level;
    const Layer* layer = PaintableLayer(host().image());
    return layer && layer->supersampled() ? kDetailLevel : 0;
}

std::int32_t FreehandTool::tipUnits() const {
    const auto size = static_cast<std::int32_t>(std::clamp<std::uint32_t>(m_size.value(), 1, 100));
    return size * LayerPixelUnits(layerLevel());
}

Color32 FreehandTool::paintColor() const {
    return settings().colorFor(m_button);
}

bool FreehandTool::acceptsButton(MouseButton) const {
    return true;
}

ToolMode FreehandTool::evaluateMode() const {
    const ModifierKeys keys = host().modifierKeys();
    if (m_picksColors && keys.alt) return ToolMode::Pick;
    if (!PaintableLayer(host().image())) return ToolMode::None;
    return keys.control ? ToolMode::Line : ToolMode::Paint;
}

void FreehandTool::optionChanged() {
    // A new size changes the outline and maybe the cursor at once.
    host().repaintView();
    host().refreshCursor();
}

void FreehandTool::suspend() {
    setSuspended(true);
    if (showsTip()) host().invalidate(tipRect(m_current));
}

void FreehandTool::resume(ImagePoint p) {
    setSuspended(false);
    m_current = p;
    m_mode = evaluateMode();
    if (showsTip()) host().invalidate(tipRect(p));
}

CursorRole FreehandTool::getCursor(ImagePoint) {
    if (m_state == ToolState::Idle) {
        const ToolMode mode = evaluateMode();
        if (mode != m_mode) {
            // The outline appears or goes with the mode.
            const bool hadTip = showsTip();
            m_mode = mode;
            if (hadTip || showsTip()) host().invalidate(tipRect(m_current));
            updateHint();
        }
    }
    if (m_state != ToolState::NoEffect && showsTip()) {
        const std::int32_t width = OnScreenWidth(tipUnits(), host().zoom());
        if (width >= 9) return CursorRole::PreciseCross;
        return width % 2 ? CursorRole::SmallTipOdd : CursorRole::SmallTipEven;
    }
    return m_mode == ToolMode::Pick ? CursorRole::ColorPicking : CursorRole::Arrow;
}

void FreehandTool::moveIdle(ImagePoint old, ImagePoint p) {
    if (showsTip()) host().invalidate(tipRect(old).united(tipRect(p)));
}

void FreehandTool::moveLine(ImagePoint old, ImagePoint p) {
    // The union also covers the preview lines to the old and new point.
    host().invalidate(tipRect(m_anchor).united(tipRect(old)).united(tipRect(p)));
    host().setStatusText(StatusField::Size, lineExtentText());
}

void FreehandTool::mouseMove(ImagePoint p) {
    const ImagePoint old = m_current;
    m_current = p;
    switch (m_state) {
    case ToolState::Idle:
        moveIdle(old, p);
        break;
    case kStroke:
        host().invalidate(tipRect(old).united(tipRect(p)));
        strokeTo(p);
        break;
    case kLine:
        moveLine(old, p);
        break;
    case ToolState::Picking:
        pickColor(m_button, p);
        break;
    default:
        break;
    }
}

void FreehandTool::startEdit() {
    m_target = PaintTarget::Of(host().image(), host().channelMode());
    if (!m_target || !BeginStroke(*m_target->image)) {
        m_target.reset();
        m_state = ToolState::NoEffect;
        return;
    }
    m_anchor = m_current;
    m_strokeRect = {m_current.x, m_current.y, m_current.x, m_current.y};
    mouseMove(m_current);
}

bool FreehandTool::mouseDown(MouseButton button, ImagePoint p) {
    if (m_state != ToolState::Idle || !acceptsButton(button)) return false;
    m_button = button;
    switch (m_mode) {
    case ToolMode::Paint:
        m_state = kStroke;
        startEdit();
        break;
    case ToolMode::Line:
        m_state = kLine;
        startEdit();
        break;
    case ToolMode::Pick:
        m_state = ToolState::Picking;
        mouseMove(p);
        break;
    default:
        m_state = ToolState::NoEffect;
        break;
    }
    return true;
}

void FreehandTool::addToStroke(const Rect& changed) {
    m_strokeRect.unite(changed);
    host().invalidate(changed);
}

void FreehandTool::commit() {
    CommitStroke(*m_target->image, m_strokeRect, m_undoLabel);
}

bool FreehandTool::mouseUp(MouseButton button, ImagePoint) {
    if (button != m_button) return false;
    switch (m_state) {
    case kLine: {
        const Rect painted = paintLine(m_current);
        m_strokeRect = painted;
        host().invalidate(painted);
        commit();
        return true;
    }
    case ToolState::NoEffect:
    case kStroke:
    case ToolState::Picking:
        return true;
    default:
        return false;
    }
}

void FreehandTool::endDrag() {
    const ToolState ended = m_state;
    m_state = ToolState::Idle;
    if (ended == kStroke) commit();
    if ((ended == kStroke || ended == kLine) && m_target) host().refreshAfterEdit(*m_target->image);
    if (ended == kLine) {
        host().setStatusText(StatusField::Size, {});
        host().invalidate(tipRect(m_anchor).united(tipRect(m_current)));
    }
    m_target.reset();
}

bool FreehandTool::keyDown(int key, bool) {
    return handleModifierKey(key);
}

bool FreehandTool::keyUp(int key) {
    return handleModifierKey(key);
}

void FreehandTool::paintOverlay(OverlayCanvas& canvas) {
    if ((m_state == ToolState::Idle && showsTip()) || m_state == kStroke) {
        drawTip(canvas, m_current);
    } else if (m_state == kLine) {
        drawTip(canvas, m_anchor);
        if (m_current != m_anchor) {
            canvas.line(m_anchor, m_current);
            drawTip(canvas, m_current);
        }
    }
}

void FreehandTool::updateHint() {
    const char* hint = "";
    if (m_state == ToolState::Idle) {
        if (m_mode == ToolMode::Paint) hint = m_hints.paint;
        if (m_mode == ToolMode::Line) hint = m_hints.line;
        if (m_mode == ToolMode::Pick && m_hints.pick) hint = m_hints.pick;
    }
    host().setStatusText(StatusField::Hint, hint);
}

void FreehandTool::showDragInfo(ImagePoint p) {
    if (m_state == kStroke || m_state == kLine)
        host().setStatusText(StatusField::Color, ColorText(paintColor()));
    else if (m_state == ToolState::Picking)
        showColorUnder(p);
    else
        host().setStatusText(StatusField::Color, {});
}

bool FreehandTool::wantsAutoScroll() const {
    return m_state == kLine;
}

} // namespace kv
