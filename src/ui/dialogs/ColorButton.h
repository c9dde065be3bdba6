#pragma once
#include "model/Color32.h"

#include <QPushButton>

namespace kv {

// A button that shows a colour and asks for another when clicked.
class ColorButton : public QPushButton {
    Q_OBJECT
  public:
    ColorButton(const QString& name, QWidget* parent = nullptr);

    Color32 color() const { return m_color; }
    void setColor(Color32 color);

  private:
    Color32 m_color = 0;
};

} // namespace kv
