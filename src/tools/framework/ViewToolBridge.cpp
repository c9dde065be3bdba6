#include "tools/framework/ViewToolBridge.h"

#include "model/Image.h"
#include "tools/framework/OverlayCanvas.h"
#include "tools/framework/StatusText.h"
#include "tools/framework/ToolHost.h"
#include "tools/framework/ToolSet.h"
#include "tools/framework/VisibleColor.h"

namespace kv {

ViewToolBridge::ViewToolBridge(ToolSet& tools, ToolHost& host) : m_tools(tools), m_host(host) {}

Tool* ViewToolBridge::usableTool() const {
    Tool* tool = m_tools.current();
    return m_host.image() && tool && !tool->isSuspended() ? tool : nullptr;
}

void ViewToolBridge::pointerUpdate(ImagePoint p) {
    Tool* tool = usableTool();
    if (!tool) return;
    tool->updateHint();
    if (m_interaction == ViewInteraction::ToolDrag) {
        tool->showPosition(p);
        tool->showDragInfo(p);
        return;
    }
    const Image& image = *m_host.image();
    const bool over = PointInImage(image, p);
    m_host.setStatusText(StatusField::Position, over ? PositionText(p) : std::string());
    m_host.setStatusText(StatusField::Color,
                         over ? ColorText(VisibleColorAt(image, p, m_host.zoom())) : std::string());
}

void ViewToolBridge::buttonDown(MouseButton button, ImagePoint p) {
    Tool* tool = usableTool();
    if (!tool || m_interaction == ViewInteraction::Panning) return;
    // A second button during a drag reaches the tool but starts no capture.
    if (tool->mouseDown(button, p) && m_interaction == ViewInteraction::Idle) {
        m_host.setMouseCapture(true);
        m_interaction = ViewInteraction::ToolDrag;
        m_host.setAutoScrollTimer(true);
        pointerUpdate(p);
    }
}

void ViewToolBridge::buttonUp(MouseButton button, ImagePoint p) {
    Tool* tool = usableTool();
    if (!tool || m_interaction != ViewInteraction::ToolDrag) return;
    if (tool->mouseUp(button, p)) {
        m_host.setMouseCapture(false);
        captureEnded();
        pointerUpdate(p);
    }
}

void ViewToolBridge::captureEnded() {
    if (m_interaction == ViewInteraction::ToolDrag) {
        m_host.setAutoScrollTimer(false);
        // Even a suspended tool must leave its drag.
        if (Tool* tool = m_tools.current()) tool->endDrag();
    }
    m_interaction = ViewInteraction::Idle;
}

void ViewToolBridge::mouseMove(ImagePoint p) {
    Tool* tool = usableTool();
    if (!tool || m_interaction == ViewInteraction::Panning) return;
    tool->mouseMove(p);
    pointerUpdate(p);
}

CursorRole ViewToolBridge::setCursor(ImagePoint p) {
    if (!m_host.image()) return CursorRole::NoImage;
    if (m_interaction == ViewInteraction::Panning) return CursorRole::Pan;
    Tool* tool = m_tools.current();
    if (!tool) return CursorRole::Arrow;
    if (tool->isSuspended()) tool->resume(p);
    return tool->getCursor(p);
}

CursorRole ViewToolBridge::layoutChanged(ImagePoint p) {
    Tool* tool = usableTool();
    if (!tool || m_interaction == ViewInteraction::ToolDrag) return setCursor(p);
    const CursorRole cursor = tool->getCursor(p);
    tool->mouseMove(p);
    return cursor;
}

void ViewToolBridge::pointerLeft() {
    if (Tool* tool = m_tools.current(); tool && !tool->isSuspended()) tool->suspend();
}

void ViewToolBridge::middleButtonDown() {
    if (m_interaction != ViewInteraction::Idle) return;
    if (Tool* tool = m_tools.current(); tool && !tool->isSuspended()) tool->suspend();
    m_host.setMouseCapture(true);
    m_interaction = ViewInteraction::Panning;
}

void ViewToolBridge::middleButtonUp() {
    if (m_interaction != ViewInteraction::Panning) return;
    m_host.setMouseCapture(false);
    captureEnded();
}

bool ViewToolBridge::keyDown(int key, bool repeat) {
    Tool* tool = usableTool();
    return tool && tool->keyDown(key, repeat);
}

void ViewToolBridge::keyUp(int key) {
    if (Tool* tool = usableTool()) tool->keyUp(key);
}

void ViewToolBridge::paint(OverlayCanvas& canvas) {
    if (Tool* tool = usableTool()) tool->paintOverlay(canvas);
    canvas.finish();
}

bool ViewToolBridge::wantsAutoScroll() const {
    Tool* tool = usableTool();
    return tool && m_interaction == ViewInteraction::ToolDrag && tool->wantsAutoScroll();
}

} // namespace kv
