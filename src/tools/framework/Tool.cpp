#include "tools/framework/Tool.h"

#include "model/Image.h"
#include "tools/framework/StatusText.h"
#include "tools/framework/ToolHost.h"
#include "tools/framework/ToolSettings.h"
#include "tools/framework/VisibleColor.h"

namespace kv {

Tool::Tool(ToolId id, ToolHost& host, ToolSettings& settings)
    : m_id(id), m_host(host), m_settings(settings) {}

Tool::~Tool() = default;

void Tool::activate() {
    m_active = true;
}

void Tool::deactivate() {
    m_active = false;
}

OptionsPanel Tool::buildOptionsPanel() const {
    return {};
}

TipPreview Tool::renderOptionsPreview(std::int32_t) const {
    return {};
}

void Tool::suspend() {
    m_suspended = true;
}

void Tool::resume(ImagePoint) {
    m_suspended = false;
}

CursorRole Tool::getCursor(ImagePoint) {
    return CursorRole::Arrow;
}

void Tool::mouseMove(ImagePoint) {}

bool Tool::mouseDown(MouseButton, ImagePoint) {
    return false;
}

bool Tool::mouseUp(MouseButton, ImagePoint) {
    return false;
}

void Tool::endDrag() {}

bool Tool::keyDown(int, bool) {
    return false;
}

bool Tool::keyUp(int) {
    return false;
}

void Tool::paintOverlay(OverlayCanvas&) {}

void Tool::updateHint() {}

void Tool::showPosition(ImagePoint p) {
    m_host.setStatusText(StatusField::Position, PositionText(p));
}

void Tool::showDragInfo(ImagePoint) {}

bool Tool::wantsAutoScroll() const {
    return false;
}

bool Tool::handleModifierKey(int key) {
    if (m_state != ToolState::Idle || key < kKeyShift || key > kKeyAlt) return false;
    m_host.refreshCursor();
    return true;
}

void Tool::pickColor(MouseButton button, ImagePoint p) {
    const Image* image = m_host.image();
    if (!image || !PointInImage(*image, p)) return;
    m_settings.setColorFor(button, VisibleColorAt(*image, p, m_host.zoom()));
    m_host.colorsChanged();
}

void Tool::showColorUnder(ImagePoint p) {
    const Image* image = m_host.image();
    if (!image || !PointInImage(*image, p)) {
        m_host.setStatusText(StatusField::Color, {});
        return;
    }
    m_host.setStatusText(StatusField::Color, ColorText(VisibleColorAt(*image, p, m_host.zoom())));
}

} // namespace kv
