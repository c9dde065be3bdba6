#include "ui/panels/PreviewCanvas.h"

#include "model/Image.h"
#include "ui/panels/ThumbnailCache.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace kv {

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent) {
    setAccessibleName("Preview");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PreviewCanvas::setImage(const Image* image) {
    if (image != m_image) m_pan = {};
    m_image = image;
    update();
}

void PreviewCanvas::setFactor(int factor) {
    m_factor = factor;
    update();
}

void PreviewCanvas::setChequered(bool chequered) {
    m_chequered = chequered;
    update();
}

QPoint PreviewCanvas::origin() const {
    if (!m_image) return {};
    return QPoint((width() - m_image->width() * m_factor) / 2,
                  (height() - m_image->height() * m_factor) / 2) +
           m_pan;
}

ImagePoint PreviewCanvas::toImage(QPoint p) const {
    const QPoint at = p - origin();
    return {at.x() * 256 / m_factor, at.y() * 256 / m_factor};
}

void PreviewCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    if (!m_image) return;
    // How the image will leave the program: reduced to its target format.
    const PixelArray* preview = m_image->targetPreview();
    const PixelArray& shown = preview && !preview->isEmpty() ? *preview : m_image->composite();
    if (shown.isEmpty()) return;
    const QRect target(origin(), QSize(m_image->width(), m_image->height()) * m_factor);
    if (m_chequered) {
        const int cell = 8;
        for (int y = 0; y < target.height(); y += cell)
            for (int x = 0; x < target.width(); x += cell)
                painter.fillRect(
                    QRect(target.x() + x, target.y() + y, cell, cell).intersected(target),
                    (x / cell + y / cell) % 2 ? QColor(0xC0, 0xC0, 0xC0)
                                              : QColor(0xF0, 0xF0, 0xF0));
    }
    painter.drawImage(target, PictureOf(shown));
}

void PreviewCanvas::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) emit zoomRequested(steps);
}

void PreviewCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) m_panFrom = event->position().toPoint() - m_pan;
    if (event->button() == Qt::LeftButton && m_image)
        emit placeClicked(toImage(event->position().toPoint()));
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::MiddleButton) {
        m_pan = event->position().toPoint() - m_panFrom;
        update();
    } else if ((event->buttons() & Qt::LeftButton) && m_image) {
        emit placeClicked(toImage(event->position().toPoint()));
    }
}

} // namespace kv
