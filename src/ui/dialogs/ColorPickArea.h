#pragma once
#include <QImage>
#include <QWidget>

namespace kv {

// The colour dialog's picking area for one hue: saturation grows to the
// right, value upwards. Saturation and value run from 0 to 1.
class ColorPickArea : public QWidget {
    Q_OBJECT
  public:
    explicit ColorPickArea(QWidget* parent = nullptr);

    void setHue(float hue);
    void setSaturationValue(float saturation, float value);
    float saturation() const { return m_saturation; }
    float value() const { return m_value; }
    QSize sizeHint() const override { return {256, 256}; }

  signals:
    void picked(float saturation, float value);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void pick(QPoint point);
    void renderField();

    float m_hue = 0;
    float m_saturation = 0;
    float m_value = 0;
    QImage m_field;
};

} // namespace kv
