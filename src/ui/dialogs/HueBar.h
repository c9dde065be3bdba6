#pragma once
#include <QWidget>

namespace kv {

// The hue bar beside the colour dialog's picking area: top is hue 0, the
// bar runs once round the colour circle. Hue is a fraction of a turn.
class HueBar : public QWidget {
    Q_OBJECT
  public:
    explicit HueBar(QWidget* parent = nullptr);

    float hue() const { return m_hue; }
    void setHue(float hue);
    QSize sizeHint() const override { return {24, 256}; }

  signals:
    void hueChosen(float hue);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void pick(int y);

    float m_hue = 0;
};

} // namespace kv
