#pragma once
#include "tools/framework/Tool.h"

namespace kv {

class Image;

// Turns the connected region of similar pixels around the clicked pixel of
// the current layer into the selection: replacing it, or with SHIFT adding
// to it, with ALT subtracting from it, with both intersecting it. The region
// is grown at the press point when the button is released.
class MagicWandTool final : public Tool {
  public:
    MagicWandTool(ToolHost& host, ToolSettings& settings);
    OptionsPanel buildOptionsPanel() const override;
    void resume(ImagePoint p) override;
    CursorRole getCursor(ImagePoint p) override;
    bool mouseDown(MouseButton button, ImagePoint p) override;
    bool mouseUp(MouseButton button, ImagePoint p) override;
    void endDrag() override;
    bool keyDown(int key, bool repeat) override;
    bool keyUp(int key) override;
    void updateHint() override;

  private:
    ToolMode evaluateMode() const;
    void refreshMode();
    // True when an action was recorded.
    bool select();

    ImagePoint m_press;
    Image* m_selected = nullptr;
};

} // namespace kv
