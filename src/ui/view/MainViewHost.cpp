// The view as the tools' host: what a tool asks of the user interface.
#include "tools/framework/ToolSet.h"
#include "tools/framework/ViewToolBridge.h"
#include "ui/view/MainView.h"
#include "ui/view/ViewStatusSink.h"

#include <QApplication>

namespace kv {

bool MainView::selectTool(ToolId id) {
    return m_tools->select(id);
}

std::string MainView::statusText(StatusField field) const {
    const auto it = m_status.find(field);
    return it == m_status.end() ? std::string() : it->second;
}

ModifierKeys MainView::modifierKeys() const {
    // The keyboard as it is now, not as the last event saw it.
    const Qt::KeyboardModifiers keys = QApplication::queryKeyboardModifiers();
    return {keys.testFlag(Qt::ShiftModifier), keys.testFlag(Qt::ControlModifier),
            keys.testFlag(Qt::AltModifier)};
}

void MainView::invalidate(const Rect& units) {
    if (units.isEmpty()) return;
    const Rect r = UnitsToClient(units, imageOrigin(), zoom());
    viewport()->update(r.left, r.top, r.width(), r.height());
}

void MainView::repaintView() {
    viewport()->update();
}

void MainView::refreshCursor() {
    setCursorStep();
}

void MainView::setStatusText(StatusField field, const std::string& text) {
    std::string& kept = m_status[field];
    if (kept == text) return;
    kept = text;
    if (m_statusSink) m_statusSink->statusTextChanged(field, text);
}

// Between events the view knows no newer pointer than the last event's: a
// long brush segment catches up with the moves that were delivered.
PointerSample MainView::samplePointer(MouseButton button) {
    const Qt::MouseButton qtButton = button == MouseButton::Left ? Qt::LeftButton : Qt::RightButton;
    return {pointerToImage(m_pointer), !m_held.testFlag(qtButton)};
}

void MainView::beep() {
    QApplication::beep();
}

void MainView::colorsChanged() {
    emit toolColorsChanged();
}

void MainView::refreshAfterEdit(Image& image) {
    emit imageEdited(&image);
}

void MainView::showOptionsPanel(const OptionsPanel& panel) {
    m_optionsPanel = panel;
    emit toolOptionsChanged();
}

void MainView::setMouseCapture(bool captured) {
    // The window system holds the pointer for the view while a button is
    // down; the view only notes whose drag it is.
    m_captured = captured;
    if (!captured) m_dragButtons = Qt::NoButton;
}

void MainView::setAutoScrollTimer(bool running) {
    if (running)
        m_autoScroll.start(m_settings.autoScrollInterval());
    else
        m_autoScroll.stop();
}

} // namespace kv
