// The view's pointer, key and timer events, handed to the current tool
// through the view-to-tool bridge.
#include "tools/framework/AutoScroll.h"
#include "tools/framework/ViewToolBridge.h"
#include "ui/view/MainView.h"
#include "ui/view/VirtualKeys.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace kv {
namespace {

constexpr int kWheelStep = 120;

Point ClientOf(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

} // namespace

ViewInteraction MainView::interaction() const {
    return m_bridge->interaction();
}

bool MainView::pointerOverView() const {
    return m_pointerInside && viewport()->rect().contains(m_pointer.x, m_pointer.y);
}

// Every pointer event inside the view is preceded by the set-cursor step, as
// the window system asks for the cursor before it delivers the event.
void MainView::notePointer(const QMouseEvent* event) {
    m_pointer = ClientOf(event);
    m_held = event->buttons();
    if (m_bridge->interaction() != ViewInteraction::Idle) return;
    m_pointerInside = viewport()->rect().contains(m_pointer.x, m_pointer.y);
    setCursorStep();
}

// The cursor for the pointer where it is; a suspended tool resumes here.
void MainView::setCursorStep() {
    if (!pointerOverView() && !m_captured) return;
    const CursorRole role = m_bridge->setCursor(pointerToImage(m_pointer));
    viewport()->setCursor(m_cursors.cursor(role, devicePixelRatioF()));
}

void MainView::layoutChangedUnderPointer() {
    if (!m_image || !pointerOverView()) return;
    const CursorRole role = m_bridge->layoutChanged(pointerToImage(m_pointer));
    viewport()->setCursor(m_cursors.cursor(role, devicePixelRatioF()));
}

void MainView::mousePressEvent(QMouseEvent* event) {
    notePointer(event);
    const ImagePoint p = pointerToImage(m_pointer);
    switch (event->button()) {
    case Qt::LeftButton:
    case Qt::RightButton: {
        const bool wasIdle = m_bridge->interaction() == ViewInteraction::Idle;
        // Tools press where the pointer last moved to; a press that arrives
        // without a move to its point (after a jump, from a pen) brings one.
        if (wasIdle && !(m_movedTo == p)) toolMove(p);
        m_bridge->buttonDown(
            event->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Right, p);
        if (wasIdle && m_bridge->interaction() == ViewInteraction::ToolDrag)
            m_dragButtons = event->button();
        break;
    }
    case Qt::MiddleButton:
        m_bridge->middleButtonDown();
        if (m_bridge->interaction() == ViewInteraction::Panning) {
            m_panFrom = m_pointer;
            setCursorStep();
        }
        break;
    default:
        break;
    }
    event->accept();
}

void MainView::mouseMoveEvent(QMouseEvent* event) {
    notePointer(event);
    if (m_bridge->interaction() == ViewInteraction::Panning) {
        pan(m_pointer);
        return;
    }
    endLostCapture(event->buttons());
    toolMove(pointerToImage(m_pointer));
}

void MainView::toolMove(ImagePoint p) {
    m_movedTo = p;
    m_bridge->mouseMove(p);
}

void MainView::mouseReleaseEvent(QMouseEvent* event) {
    m_pointer = ClientOf(event);
    m_held = event->buttons();
    const ImagePoint p = pointerToImage(m_pointer);
    if (m_bridge->interaction() == ViewInteraction::ToolDrag && !(m_movedTo == p)) toolMove(p);
    switch (event->button()) {
    case Qt::LeftButton:
        m_bridge->buttonUp(MouseButton::Left, p);
        break;
    case Qt::RightButton:
        m_bridge->buttonUp(MouseButton::Right, p);
        break;
    case Qt::MiddleButton:
        m_bridge->middleButtonUp();
        break;
    default:
        break;
    }
    // With every button up nobody holds the pointer any more.
    if (event->buttons() == Qt::NoButton) endLostCapture(Qt::NoButton);
    if (m_bridge->interaction() == ViewInteraction::Idle) {
        m_pointerInside = viewport()->rect().contains(m_pointer.x, m_pointer.y);
        setCursorStep();
    }
}

// A drag whose buttons are all up without the tool having ended it: the
// pointer went elsewhere (another window, a menu), as a lost capture.
void MainView::endLostCapture(Qt::MouseButtons held) {
    if (m_bridge->interaction() != ViewInteraction::ToolDrag || (held & m_dragButtons)) return;
    m_captured = false;
    m_bridge->captureEnded();
}

void MainView::changeEvent(QEvent* event) {
    // Another window took the pointer: the drag ends as with a lost capture.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        endLostCapture(Qt::NoButton);
    QAbstractScrollArea::changeEvent(event);
}

void MainView::pan(Point to) {
    const Point scroll = scrollPosition();
    setScrollPosition({scroll.x - (to.x - m_panFrom.x), scroll.y - (to.y - m_panFrom.y)});
    m_panFrom = to;
}

void MainView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // Fine-grained wheels send parts of a step; whole steps zoom.
    m_wheelRemainder += event->angleDelta().y();
    const int steps = m_wheelRemainder / kWheelStep;
    m_wheelRemainder -= steps * kWheelStep;
    const QPoint at = event->position().toPoint();
    if (steps != 0) setZoomLevelAt(m_level + steps, {at.x(), at.y()});
    event->accept();
}

void MainView::keyPressEvent(QKeyEvent* event) {
    const int key = VirtualKeyOf(event->key());
    if (key && m_bridge->keyDown(key, event->isAutoRepeat())) {
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void MainView::keyReleaseEvent(QKeyEvent* event) {
    if (const int key = VirtualKeyOf(event->key())) m_bridge->keyUp(key);
    QAbstractScrollArea::keyReleaseEvent(event);
}

bool MainView::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::Enter: {
        const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
        m_pointer = {p.x(), p.y()};
        m_pointerInside = true;
        setCursorStep();
        break;
    }
    case QEvent::Leave:
        // A drag keeps its tool awake outside the view, for auto-scrolling.
        if (m_bridge->interaction() == ViewInteraction::Idle) {
            m_pointerInside = false;
            m_bridge->pointerLeft();
        }
        break;
    default:
        break;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void MainView::autoScrollTick() {
    if (!m_bridge->wantsAutoScroll()) return;
    const ViewLayout l = layout();
    const Point step{AutoScrollStep(m_pointer.x, 0, l.client().width),
                     AutoScrollStep(m_pointer.y, 0, l.client().height)};
    if (step.x == 0 && step.y == 0) return;
    const Point old = scrollPosition();
    const Point moved{ScrolledPosition(old.x, step.x, l.content().width, l.client().width),
                      ScrolledPosition(old.y, step.y, l.content().height, l.client().height)};
    if (moved == old) return;
    ++m_redrawSuspended;
    setScrollPosition(moved);
    toolMove(pointerToImage(m_pointer));
    --m_redrawSuspended;
    viewport()->update();
}

} // namespace kv
