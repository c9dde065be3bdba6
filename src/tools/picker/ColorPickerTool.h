#pragma once
#include "tools/framework/Tool.h"

namespace kv {

// Picks the colour the view shows under the pointer while a button is held:
// the left button sets the primary colour, the right button the secondary.
class ColorPickerTool final : public Tool {
  public:
    ColorPickerTool(ToolHost& host, ToolSettings& settings);

    CursorRole getCursor(ImagePoint p) override;
    void mouseMove(ImagePoint p) override;
    bool mouseDown(MouseButton button, ImagePoint p) override;
    bool mouseUp(MouseButton button, ImagePoint p) override;
    void endDrag() override;
    void updateHint() override;
    void showDragInfo(ImagePoint p) override;
};

} // namespace kv
