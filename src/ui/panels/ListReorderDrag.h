#pragma once
#include <QObject>
#include <QPoint>

#include <functional>

class QFrame;
class QListWidget;

namespace kv {

// Dragging a row of a list to another place. The list itself never moves
// the row: on release the owner is told where from and where to, and runs
// the same commands as its move buttons (so each move can be undone), after
// which it refills the list from the model. A line shows where the row
// would land while the drag goes on.
class ListReorderDrag : public QObject {
    Q_OBJECT
  public:
    // `move(from, to)`: the row pressed and the row it should end up at.
    using Move = std::function<void(int from, int to)>;
    ListReorderDrag(QListWidget& list, Move move);

    // The row the pressed one would end up at if released at `at` (viewport
    // coordinates): above or below the row under the pointer, whichever half
    // it is in.
    int landingRow(int from, QPoint at) const;
    bool dragging() const { return m_dragging; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The gap before row `gap` (the count for the end).
    int gapAt(QPoint at) const;
    void showMarker(int gap);
    void finish();

    QListWidget& m_list;
    Move m_move;
    // Kept apart from the list: while the list is destroyed its viewport
    // still sends events here, and the list may no longer be asked for it.
    QWidget* m_viewport;
    QFrame* m_marker;
    int m_from = -1;
    QPoint m_pressedAt;
    bool m_dragging = false;
};

} // namespace kv
