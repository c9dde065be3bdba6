#pragma once
#include "model/Color32.h"

#include <QAbstractButton>

namespace kv {

// A square showing a colour over a chequer (so that alpha shows); its
// owner asks for a new colour when it is clicked.
class ColorWell : public QAbstractButton {
    Q_OBJECT
  public:
    explicit ColorWell(QWidget* parent = nullptr);

    Color32 color() const { return m_color; }
    void setColor(Color32 color);
    QSize sizeHint() const override { return {28, 28}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Color32 m_color = 0xFF000000;
};

} // namespace kv
