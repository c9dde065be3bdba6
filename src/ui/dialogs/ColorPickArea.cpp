#include "ui/dialogs/ColorPickArea.h"

#include "model/ColorSpaces.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

float Fraction(int position, int extent) {
    return static_cast<float>(std::clamp(position, 0, extent - 1)) /
           static_cast<float>(std::max(1, extent - 1));
}

} // namespace

ColorPickArea::ColorPickArea(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName("Saturation and value");
    setMinimumSize(128, 128);
}

void ColorPickArea::setHue(float hue) {
    m_hue = hue;
    renderField();
    update();
}

void ColorPickArea::setSaturationValue(float saturation, float value) {
    m_saturation = std::clamp(saturation, 0.0f, 1.0f);
    m_value = std::clamp(value, 0.0f, 1.0f);
    update();
}

void ColorPickArea::renderField() {
    m_field = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    for (int y = 0; y < m_field.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(m_field.scanLine(y));
        for (int x = 0; x < m_field.width(); ++x) {
            ColorSpaceValue v;
            v.c1 = m_hue;
            v.c2 = Fraction(x, m_field.width());
            v.c3 = 1.0f - Fraction(y, m_field.height());
            HsvToRgb(v);
            row[x] = qRgb(static_cast<int>(std::lround(v.r * 255)),
                          static_cast<int>(std::lround(v.g * 255)),
                          static_cast<int>(std::lround(v.b * 255)));
        }
    }
}

void ColorPickArea::resizeEvent(QResizeEvent*) {
    renderField();
}

void ColorPickArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_field);
    const QPoint at(static_cast<int>(m_saturation * static_cast<float>(width() - 1)),
                    static_cast<int>((1.0f - m_value) * static_cast<float>(height() - 1)));
    painter.setPen(m_value > 0.5f ? Qt::black : Qt::white);
    painter.drawEllipse(at, 4, 4);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void ColorPickArea::pick(QPoint point) {
    setSaturationValue(Fraction(point.x(), width()), 1.0f - Fraction(point.y(), height()));
    emit picked(m_saturation, m_value);
}

void ColorPickArea::mousePressEvent(QMouseEvent* event) {
    pick(event->position().toPoint());
}

void ColorPickArea::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) pick(event->position().toPoint());
}

void ColorPickArea::keyPressEvent(QKeyEvent* event) {
    constexpr float step = 1.0f / 255.0f;
    float s = m_saturation;
    float v = m_value;
    switch (event->key()) {
    case Qt::Key_Left:
        s -= step;
        break;
    case Qt::Key_Right:
        s += step;
        break;
    case Qt::Key_Up:
        v += step;
        break;
    case Qt::Key_Down:
        v -= step;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    setSaturationValue(s, v);
    emit picked(m_saturation, m_value);
}

} // namespace kv
