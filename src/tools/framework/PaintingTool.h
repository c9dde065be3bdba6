#pragma once
#include "tools/framework/Tool.h"

namespace kv {

// What the Flood Fill, Rectangle, Ellipse, Gradient and Text tools share:
// either button paints once per press in its own colour (primary for the
// left, secondary for the right), ALT held at the press picks colours
// instead, and nothing happens without a visible raster layer. The press
// starts the tool's drag; the release with the same button does the edit; a
// drag that ends without the release (the capture was lost) changes nothing.
class PaintingTool : public Tool {
  public:
    void resume(ImagePoint p) override;
    CursorRole getCursor(ImagePoint p) override;
    void mouseMove(ImagePoint p) override;
    bool mouseDown(MouseButton button, ImagePoint p) override;
    bool mouseUp(MouseButton button, ImagePoint p) override;
    void endDrag() override;
    bool keyDown(int key, bool repeat) override;
    bool keyUp(int key) override;
    void updateHint() override;
    void showDragInfo(ImagePoint p) override;

    ImagePoint currentPoint() const { return m_current; }

  protected:
    // The tool's own cursor in the Paint mode, and its idle hint there.
    PaintingTool(ToolId id, ToolHost& host, ToolSettings& settings, CursorRole cursor,
                 const char* paintHint);

    Color32 paintColor() const;
    Color32 otherColor() const;

    // A press in the Paint mode; the tool is in its drag state.
    virtual void startDrag(ImagePoint p) = 0;
    // The pointer moved during the drag.
    virtual void dragTo(ImagePoint) {}
    // Whether SHIFT, CTRL and ALT change the drag; the tool then takes them.
    virtual bool dragUsesModifierKeys() const { return false; }
    // One of them went down (not by auto-repeat) or up during the drag.
    virtual void dragKeysChanged() {}
    // The release with the drag's button: the edit.
    virtual void finishDrag() = 0;
    // The drag is over, released or not.
    virtual void dragEnded() {}
    // The hint while dragging.
    virtual const char* dragHint() const { return ""; }
    // The idle mode changed (what the tool shows may change with it).
    virtual void modeChanged() {}

  private:
    ToolMode evaluateMode() const;
    void refreshMode();

    CursorRole m_cursor;
    const char* m_paintHint;
    ImagePoint m_current;
};

} // namespace kv
