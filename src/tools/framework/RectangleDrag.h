#pragma once
#include "model/Geometry.h"
#include "tools/framework/DragGeometry.h"
#include "tools/framework/ToolGeometry.h"

namespace kv {

class ToolHost;

// The rectangle that the shape tools and the Selection Tool drag out: from
// the press point to the pointer on the drag grid, made square by SHIFT and
// grown from the press point by ALT. Each change repaints the old and the new
// rectangle and shows the size in the status bar.
class RectangleDrag {
  public:
    explicit RectangleDrag(ToolHost& host) : m_host(host) {}

    // A new drag at p: no SHIFT or ALT taken yet (keys held before the
    // press count from their next change), the empty rectangle at p.
    void start(ImagePoint p);
    void moveTo(ImagePoint p);
    // SHIFT and ALT read again; true when they changed (the rectangle follows).
    bool rereadKeys();
    void clearSizeText();

    ImagePoint press() const { return m_press; }
    ImagePoint current() const { return m_current; }
    // Image units, its sides on the grid.
    const Rect& rect() const { return m_rect; }

  private:
    void recompute();

    ToolHost& m_host;
    ImagePoint m_press;
    ImagePoint m_current;
    DragShape m_shape;
    Rect m_rect;
};

} // namespace kv
