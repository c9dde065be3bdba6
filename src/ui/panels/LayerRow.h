#pragma once
#include <QWidget>

class QLabel;
class QPixmap;
class QToolButton;

namespace kv {

class LayerBase;

// One row of the layers list: the visibility toggle, the thumbnail, the
// display name and the note.
class LayerRow : public QWidget {
    Q_OBJECT
  public:
    LayerRow(const LayerBase& layer, const QPixmap& thumbnail, QWidget* parent = nullptr);

    QToolButton* visibilityToggle() const { return m_eye; }
    QString name() const;

    // "x%d" for supersampled layers, "%d%%" below full opacity, joined by ";".
    static QString Note(const LayerBase& layer);

  signals:
    void visibilityToggled();

  private:
    QToolButton* m_eye = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_note = nullptr;
};

} // namespace kv
