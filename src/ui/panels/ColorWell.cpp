#include "ui/panels/ColorWell.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace kv {

ColorWell::ColorWell(QWidget* parent) : QAbstractButton(parent) {
    setToolTip("Click to modify color.");
    setAccessibleName("Click to modify color.");
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ColorWell::setColor(Color32 color) {
    if (color == m_color) return;
    m_color = color;
    update();
}

void ColorWell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect box = rect().adjusted(1, 1, -2, -2);
    const int cell = 4;
    for (int y = box.top(); y <= box.bottom(); y += cell)
        for (int x = box.left(); x <= box.right(); x += cell)
            painter.fillRect(QRect(x, y, cell, cell).intersected(box),
                             ((x + y) / cell) % 2 ? QColor(0xC0, 0xC0, 0xC0) : Qt::white);
    painter.fillRect(box, QColor::fromRgba(m_color));
    painter.setPen(hasFocus() ? palette().color(QPalette::Highlight) : QColor(40, 40, 40));
    painter.drawRect(box);
    if (hasFocus()) painter.drawRect(box.adjusted(1, 1, -1, -1));
}

} // namespace kv
