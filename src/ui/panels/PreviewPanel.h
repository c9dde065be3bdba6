#pragma once
#include "tools/framework/ToolGeometry.h"

#include <QWidget>

class QLabel;
class QToolButton;

namespace kv {

class Image;
class PreviewCanvas;
class SettingsStore;

// A small view of the current image at its own zoom, with zoom buttons and
// the chequer toggle; a click asks the main view to show that place.
class PreviewPanel : public QWidget {
    Q_OBJECT
  public:
    PreviewPanel(SettingsStore& settings, QWidget* parent = nullptr);

    void setImage(const Image* image);
    void imageChanged();
    int factor() const;
    QLabel* zoomLabel() const { return m_label; }
    QToolButton* button(const QString& tip) const;
    PreviewCanvas* canvas() const { return m_canvas; }
    void zoomBy(int steps);

    static constexpr int kMaxFactor = 16;

  signals:
    void placeClicked(ImagePoint p);

  private:
    SettingsStore& m_settings;
    PreviewCanvas* m_canvas = nullptr;
    QLabel* m_label = nullptr;
};

} // namespace kv
