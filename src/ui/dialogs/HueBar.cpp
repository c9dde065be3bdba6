#include "ui/dialogs/HueBar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace kv {

HueBar::HueBar(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName("Hue");
    setMinimumSize(20, 128);
}

void HueBar::setHue(float hue) {
    m_hue = std::clamp(hue, 0.0f, 1.0f);
    update();
}

void HueBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    for (int i = 0; i <= 6; ++i)
        gradient.setColorAt(i / 6.0, QColor::fromHsvF(i == 6 ? 0.0f : i / 6.0f, 1.0f, 1.0f));
    painter.fillRect(rect().adjusted(3, 0, -3, 0), gradient);
    const int y = static_cast<int>(m_hue * static_cast<float>(height() - 1));
    painter.setPen(Qt::black);
    painter.drawRect(0, y - 2, width() - 1, 4);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void HueBar::pick(int y) {
    setHue(static_cast<float>(std::clamp(y, 0, height() - 1)) /
           static_cast<float>(std::max(1, height() - 1)));
    emit hueChosen(m_hue);
}

void HueBar::mousePressEvent(QMouseEvent* event) {
    pick(event->position().toPoint().y());
}

void HueBar::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) pick(event->position().toPoint().y());
}

void HueBar::keyPressEvent(QKeyEvent* event) {
    const float step = 1.0f / 360.0f;
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        setHue(m_hue + (event->key() == Qt::Key_Down ? step : -step));
        emit hueChosen(m_hue);
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace kv
