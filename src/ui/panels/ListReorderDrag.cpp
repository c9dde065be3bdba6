#include "ui/panels/ListReorderDrag.h"

#include <QApplication>
#include <QFrame>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace kv {

ListReorderDrag::ListReorderDrag(QListWidget& list, Move move)
    : QObject(&list), m_list(list), m_move(std::move(move)), m_viewport(list.viewport()),
      m_marker(new QFrame(list.viewport())) {
    m_marker->setFrameShape(QFrame::NoFrame);
    m_marker->setAutoFillBackground(true);
    m_marker->setBackgroundRole(QPalette::Highlight);
    m_marker->setAccessibleName("Drop place");
    m_marker->hide();
    list.viewport()->installEventFilter(this);
}

int ListReorderDrag::gapAt(QPoint at) const {
    const int count = m_list.count();
    for (int row = 0; row < count; ++row) {
        const QRect box = m_list.visualItemRect(m_list.item(row));
        if (at.y() < box.center().y()) return row;
    }
    return count;
}

int ListReorderDrag::landingRow(int from, QPoint at) const {
    const int gap = gapAt(at);
    // Taking the row out first moves every gap after it up by one.
    return std::clamp(gap > from ? gap - 1 : gap, 0, std::max(0, m_list.count() - 1));
}

void ListReorderDrag::showMarker(int gap) {
    const int count = m_list.count();
    if (count == 0) return;
    const QRect box = m_list.visualItemRect(m_list.item(std::min(gap, count - 1)));
    const int y = gap < count ? box.top() : box.bottom() + 1;
    m_marker->setGeometry(0, std::max(0, y - 1), m_list.viewport()->width(), 2);
    m_marker->show();
    m_marker->raise();
}

void ListReorderDrag::finish() {
    m_marker->hide();
    m_dragging = false;
    m_from = -1;
    m_list.viewport()->unsetCursor();
}

bool ListReorderDrag::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_viewport) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) return false;
        QListWidgetItem* item = m_list.itemAt(mouse->position().toPoint());
        m_from = item ? m_list.row(item) : -1;
        m_pressedAt = mouse->position().toPoint();
        m_dragging = false;
        return false; // the press still chooses the row
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_from < 0 || !(mouse->buttons() & Qt::LeftButton)) return false;
        const QPoint at = mouse->position().toPoint();
        if (!m_dragging && (at - m_pressedAt).manhattanLength() < QApplication::startDragDistance())
            return true;
        m_dragging = true;
        m_list.viewport()->setCursor(Qt::ClosedHandCursor);
        // Past the top or bottom edge the list scrolls, a step per move, so
        // a row can travel further than the list shows.
        QScrollBar* bar = m_list.verticalScrollBar();
        if (at.y() < 0) bar->setValue(bar->value() - bar->singleStep());
        if (at.y() >= m_list.viewport()->height()) bar->setValue(bar->value() + bar->singleStep());
        showMarker(gapAt(at));
        return true; // the list's own rubber band selection stays out of it
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !m_dragging) {
            if (mouse->button() == Qt::LeftButton) finish();
            return false;
        }
        const int from = m_from;
        const int to = landingRow(from, mouse->position().toPoint());
        finish();
        if (to != from) m_move(from, to);
        return true;
    }
    case QEvent::Leave:
    case QEvent::Hide:
        if (!(QApplication::mouseButtons() & Qt::LeftButton)) finish();
        return false;
    default:
        return false;
    }
}

} // namespace kv
