#pragma once
#include "model/Color32.h"

#include <QAbstractButton>

#include <optional>

namespace kv {

// A square showing a colour over a chequer (so that alpha shows); a click
// asks for a new colour.
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

// Asks for a colour with alpha, starting from `initial`; nullopt when cancelled.
std::optional<Color32> AskForColor(QWidget* parent, Color32 initial, const QString& title);

} // namespace kv
