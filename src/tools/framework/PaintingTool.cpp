#include "tools/framework/PaintingTool.h"

#include "tools/framework/PaintTarget.h"
#include "tools/framework/ToolHost.h"
#include "tools/framework/ToolSettings.h"

namespace kv {

PaintingTool::PaintingTool(ToolId id, ToolHost& host, ToolSettings& settings, CursorRole cursor,
                           const char* paintHint)
    : Tool(id, host, settings), m_cursor(cursor), m_paintHint(paintHint) {}

Color32 PaintingTool::paintColor() const {
    return settings().colorFor(m_button);
}

Color32 PaintingTool::otherColor() const {
    return settings().otherColorFor(m_button);
}

ToolMode PaintingTool::evaluateMode() const {
    if (host().modifierKeys().alt) return ToolMode::Pick;
    return PaintableLayer(host().image()) ? ToolMode::Paint : ToolMode::None;
}

void PaintingTool::refreshMode() {
    const ToolMode mode = evaluateMode();
    if (mode == m_mode) return;
    m_mode = mode;
    modeChanged();
    updateHint();
}

void PaintingTool::resume(ImagePoint p) {
    Tool::resume(p);
    m_current = p;
    refreshMode();
}

CursorRole PaintingTool::getCursor(ImagePoint) {
    if (m_state == ToolState::Idle) refreshMode();
    if (m_state == ToolState::Idle || m_state == ToolState::Drag || m_state == ToolState::Picking) {
        if (m_mode == ToolMode::Paint) return m_cursor;
        if (m_mode == ToolMode::Pick) return CursorRole::ColorPicking;
    }
    return CursorRole::Arrow;
}

void PaintingTool::mouseMove(ImagePoint p) {
    m_current = p;
    if (m_state == ToolState::Drag) dragTo(p);
    if (m_state == ToolState::Picking) pickColor(m_button, p);
}

bool PaintingTool::mouseDown(MouseButton button, ImagePoint p) {
    if (m_state != ToolState::Idle) return false;
    m_button = button;
    m_current = p;
    switch (m_mode) {
    case ToolMode::Paint:
        m_state = ToolState::Drag;
        startDrag(p);
        break;
    case ToolMode::Pick:
        m_state = ToolState::Picking;
        pickColor(button, p);
        break;
    default:
        m_state = ToolState::NoEffect;
        break;
    }
    return true;
}

bool PaintingTool::mouseUp(MouseButton button, ImagePoint) {
    if (button != m_button || m_state == ToolState::Idle) return false;
    if (m_state == ToolState::Drag) finishDrag();
    return true;
}

void PaintingTool::endDrag() {
    const ToolState ended = m_state;
    m_state = ToolState::Idle;
    if (ended == ToolState::Drag) dragEnded();
}

bool PaintingTool::keyDown(int key, bool repeat) {
    if (m_state != ToolState::Drag) return handleModifierKey(key);
    if (key < kKeyShift || key > kKeyAlt || !dragUsesModifierKeys()) return false;
    // An auto-repeated key changes nothing, but the tool still takes it.
    if (!repeat) dragKeysChanged();
    return true;
}

bool PaintingTool::keyUp(int key) {
    if (m_state != ToolState::Drag) return handleModifierKey(key);
    if (key < kKeyShift || key > kKeyAlt || !dragUsesModifierKeys()) return false;
    dragKeysChanged();
    return true;
}

void PaintingTool::updateHint() {
    const char* hint = "";
    if (m_state == ToolState::Idle) {
        if (m_mode == ToolMode::Paint) hint = m_paintHint;
        if (m_mode == ToolMode::Pick) hint = "Left/right click to pick a color.";
    } else if (m_state == ToolState::Drag) {
        hint = dragHint();
    }
    host().setStatusText(StatusField::Hint, hint);
}

void PaintingTool::showDragInfo(ImagePoint p) {
    if (m_state == ToolState::Picking)
        showColorUnder(p);
    else
        host().setStatusText(StatusField::Color, {});
}

} // namespace kv
