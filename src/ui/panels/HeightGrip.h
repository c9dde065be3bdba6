#pragma once
#include <QWidget>

namespace kv {

// A thin bar under a panel's body; dragging it changes the body's height.
class HeightGrip : public QWidget {
    Q_OBJECT
  public:
    explicit HeightGrip(QWidget* parent = nullptr);

  signals:
    // The pointer moved this many pixels down (negative: up) while pressed.
    void dragged(int dy);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    int m_lastY = 0;
};

} // namespace kv
