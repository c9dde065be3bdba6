#include "ui/panels/SwatchGrid.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace kv {

SwatchGrid::SwatchGrid(bool editable, QWidget* parent) : QWidget(parent), m_editable(editable) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void SwatchGrid::setColors(std::vector<Color32> colors) {
    if (colors == m_colors) return;
    m_colors = std::move(colors);
    updateGeometry();
    update();
}

int SwatchGrid::columns() const {
    return std::max(1, width() / kCell);
}

QRect SwatchGrid::cellRect(int index) const {
    return {(index % columns()) * kCell, (index / columns()) * kCell, kCell, kCell};
}

int SwatchGrid::cellAt(QPoint p) const {
    if (p.x() < 0 || p.y() < 0 || p.x() >= columns() * kCell) return -1;
    const int index = (p.y() / kCell) * columns() + p.x() / kCell;
    return index < static_cast<int>(m_colors.size()) ? index : -1;
}

QSize SwatchGrid::sizeHint() const {
    return {16 * kCell, heightForWidth(16 * kCell)};
}

int SwatchGrid::heightForWidth(int width) const {
    const int perRow = std::max(1, width / kCell);
    return std::max<int>(kCell,
                         ((static_cast<int>(m_colors.size()) + perRow - 1) / perRow) * kCell);
}

void SwatchGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int i = 0; i < static_cast<int>(m_colors.size()); ++i) {
        const QRect cell = cellRect(i).adjusted(0, 0, -1, -1);
        painter.fillRect(cell, Qt::white);
        painter.fillRect(cell.adjusted(0, 0, -cell.width() / 2, -cell.height() / 2), Qt::lightGray);
        painter.fillRect(cell.adjusted(cell.width() / 2, cell.height() / 2, 0, 0), Qt::lightGray);
        painter.fillRect(cell, QColor::fromRgba(m_colors[static_cast<std::size_t>(i)]));
        painter.setPen(QColor(90, 90, 90));
        painter.drawRect(cell);
    }
}

void SwatchGrid::mousePressEvent(QMouseEvent* event) {
    const int index = cellAt(event->position().toPoint());
    m_pressed = index;
    m_pressAt = event->position().toPoint();
    m_dragging = false;
    if (index < 0) return;
    if (event->button() == Qt::LeftButton) emit picked(index, MouseButton::Left);
    if (event->button() == Qt::RightButton) emit picked(index, MouseButton::Right);
}

void SwatchGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!m_editable || m_pressed < 0 || !(event->buttons() & Qt::LeftButton)) return;
    if ((event->position().toPoint() - m_pressAt).manhattanLength() >=
        QApplication::startDragDistance()) {
        m_dragging = true;
        setCursor(rect().contains(event->position().toPoint()) ? Qt::DragMoveCursor
                                                               : Qt::ForbiddenCursor);
    }
}

void SwatchGrid::mouseReleaseEvent(QMouseEvent* event) {
    const int from = m_pressed;
    const bool dragged = m_dragging;
    m_pressed = -1;
    m_dragging = false;
    unsetCursor();
    if (!dragged || from < 0 || event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    if (!rect().contains(at)) {
        emit deleteRequested(from);
        return;
    }
    int to = cellAt(at);
    if (to < 0) to = static_cast<int>(m_colors.size()) - 1;
    if (to != from) emit moveRequested(from, to);
}

void SwatchGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const int index = cellAt(event->position().toPoint());
    if (m_editable && index >= 0 && event->button() == Qt::LeftButton) emit editRequested(index);
}

} // namespace kv
