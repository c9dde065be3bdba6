#pragma once
#include "tools/framework/ToolGeometry.h"

#include <QWidget>

namespace kv {

class Image;

// The current image as its target format will show it, at the preview's own
// zoom, centred, over a chequer board or plain grey. The wheel zooms, the
// middle button pans, a left click asks the main view to show that place.
class PreviewCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewCanvas(QWidget* parent = nullptr);

    void setImage(const Image* image);
    void setFactor(int factor);
    int factor() const { return m_factor; }
    void setChequered(bool chequered);
    // The image point under a widget point (image units).
    ImagePoint toImage(QPoint p) const;

  signals:
    void zoomRequested(int steps);
    void placeClicked(ImagePoint p);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QPoint origin() const;

    const Image* m_image = nullptr;
    int m_factor = 1;
    bool m_chequered = true;
    QPoint m_pan;
    QPoint m_panFrom;
};

} // namespace kv
