#include "tools/picker/ColorPickerTool.h"

#include "tools/framework/ToolHost.h"

namespace kv {

ColorPickerTool::ColorPickerTool(ToolHost& host, ToolSettings& settings)
    : Tool(ToolId::ColorPicker, host, settings) {}

CursorRole ColorPickerTool::getCursor(ImagePoint) {
    const bool picking = m_state == ToolState::Idle || m_state == ToolState::Drag;
    return picking ? CursorRole::ColorPicking : CursorRole::Arrow;
}

void ColorPickerTool::mouseMove(ImagePoint p) {
    if (m_state == ToolState::Drag) pickColor(m_button, p);
}

bool ColorPickerTool::mouseDown(MouseButton button, ImagePoint p) {
    if (m_state != ToolState::Idle) return false;
    m_state = ToolState::Drag;
    m_button = button;
    pickColor(button, p);
    return true;
}

bool ColorPickerTool::mouseUp(MouseButton button, ImagePoint) {
    return m_state == ToolState::Drag && button == m_button;
}

void ColorPickerTool::endDrag() {
    m_state = ToolState::Idle;
}

void ColorPickerTool::updateHint() {
    host().setStatusText(StatusField::Hint,
                         m_state == ToolState::Idle ? "Left/right click to pick a color." : "");
}

void ColorPickerTool::showDragInfo(ImagePoint p) {
    showColorUnder(p);
}

} // namespace kv
