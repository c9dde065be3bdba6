#pragma once
#include "tools/framework/ToolGeometry.h"
#include "tools/framework/ToolTypes.h"

namespace kv {

class OverlayCanvas;
class Tool;
class ToolHost;
class ToolSet;

// Turns the view's pointer, key and paint events into calls on the current
// tool, and keeps the view's drag mode: a press that the tool takes captures
// the mouse and starts the auto-scroll timer, and losing the capture ends
// the drag. Tools are only called while an image is open and the current
// tool is not suspended.
class ViewToolBridge {
  public:
    ViewToolBridge(ToolSet& tools, ToolHost& host);

    ViewInteraction interaction() const { return m_interaction; }

    void buttonDown(MouseButton button, ImagePoint p);
    void buttonUp(MouseButton button, ImagePoint p);
    // The capture was released or taken away.
    void captureEnded();
    void mouseMove(ImagePoint p);
    // The cursor for a pointer inside the view; resumes a suspended tool.
    CursorRole setCursor(ImagePoint p);
    // Image size, zoom, scroll position or channel mode changed under a
    // pointer that is over the view: the tool sees the pointer again.
    CursorRole layoutChanged(ImagePoint p);
    // The pointer is no longer over the view.
    void pointerLeft();
    void middleButtonDown();
    void middleButtonUp();
    bool keyDown(int key, bool repeat);
    void keyUp(int key);
    // The tool's overlay, after the image was drawn.
    void paint(OverlayCanvas& canvas);
    // Asked on every auto-scroll tick.
    bool wantsAutoScroll() const;

  private:
    // The current tool when an image is open and the tool is not suspended.
    Tool* usableTool() const;
    void pointerUpdate(ImagePoint p);

    ToolSet& m_tools;
    ToolHost& m_host;
    ViewInteraction m_interaction = ViewInteraction::Idle;
};

} // namespace kv
