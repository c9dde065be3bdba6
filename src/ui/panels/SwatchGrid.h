#pragma once
#include "model/Color32.h"
#include "tools/framework/ToolTypes.h"

#include <QWidget>

#include <vector>

namespace kv {

// Colour cells in rows. A click picks (left: primary, right: secondary);
// where editing is allowed, a double click edits a cell and a drag moves it
// onto another cell or, dropped outside the grid, deletes it.
class SwatchGrid : public QWidget {
    Q_OBJECT
  public:
    explicit SwatchGrid(bool editable, QWidget* parent = nullptr);

    void setColors(std::vector<Color32> colors);
    const std::vector<Color32>& colors() const { return m_colors; }
    // The cell under a point, or -1.
    int cellAt(QPoint p) const;
    QRect cellRect(int index) const;
    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

    static constexpr int kCell = 12;

  signals:
    void picked(int index, MouseButton button);
    void editRequested(int index);
    void moveRequested(int from, int to);
    void deleteRequested(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    int columns() const;

    bool m_editable;
    std::vector<Color32> m_colors;
    int m_pressed = -1;
    QPoint m_pressAt;
    bool m_dragging = false;
};

} // namespace kv
