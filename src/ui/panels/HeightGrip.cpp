#include "ui/panels/HeightGrip.h"

#include <QMouseEvent>
#include <QPainter>

namespace kv {

HeightGrip::HeightGrip(QWidget* parent) : QWidget(parent) {
    setFixedHeight(5);
    setCursor(Qt::SizeVerCursor);
    setAccessibleName("Resize panel");
}

void HeightGrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    const int y = height() / 2;
    painter.drawLine(width() / 2 - 10, y, width() / 2 + 10, y);
}

void HeightGrip::mousePressEvent(QMouseEvent* event) {
    m_lastY = static_cast<int>(event->globalPosition().y());
}

void HeightGrip::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const int y = static_cast<int>(event->globalPosition().y());
    if (y != m_lastY) emit dragged(y - m_lastY);
    m_lastY = y;
}

} // namespace kv
