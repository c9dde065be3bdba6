#pragma once
#include "model/Geometry.h"
#include "tools/framework/Tool.h"
#include "tools/selection/TiledMoveRedraw.h"

namespace kv {

class Image;
class Layer;

// Drags the current layer's content, or only its selected part together with
// the selection, by whole grid steps (SHIFT keeps the direction to multiples
// of 45 degrees), and nudges it by one layer pixel with the cursor keys. The
// layer is redrawn from the before-edit snapshots displaced by their offsets,
// so a move can go back over pixels it pushed off the layer. Each drag is
// one "Move", each key press one "Nudge".
class MoveTool final : public Tool {
  public:
    MoveTool(ToolHost& host, ToolSettings& settings);
    void resume(ImagePoint p) override;
    CursorRole getCursor(ImagePoint p) override;
    void mouseMove(ImagePoint p) override;
    bool mouseDown(MouseButton button, ImagePoint p) override;
    bool mouseUp(MouseButton button, ImagePoint p) override;
    // A drag that ends without its release puts the content back where it
    // was: nothing is recorded for it.
    void endDrag() override;
    bool keyDown(int key, bool repeat) override;
    bool keyUp(int key) override;
    void updateHint() override;
    bool wantsAutoScroll() const override;

    // The move shown so far in this drag (image units).
    Point appliedOffset() const { return m_offset; }

  private:
    ToolMode evaluateMode() const;
    void refreshMode();
    bool rereadShift();
    void updateMove();
    void recordMove(Image& image);
    bool nudge(Point direction);

    ImagePoint m_press;
    ImagePoint m_current;
    bool m_shift = false;
    Point m_offset;
    bool m_released = false;
    // Knows the drawing of this drag's previous step, so that the next step
    // redraws only the tiles that change.
    TiledMoveRedraw m_tiles;
};

} // namespace kv
