#pragma once
#include "tools/freehand/HardTipTool.h"

namespace kv {

// The Pencil's tip painting transparent black with the left button: in the
// normal channel mode a pixel becomes transparent black, with colours only
// its colour becomes black, with alpha only its alpha becomes 0.
class EraserTool final : public HardTipTool {
  public:
    EraserTool(ToolHost& host, ToolSettings& settings);
    // The Eraser shows no colour while it drags.
    void showDragInfo(ImagePoint p) override { Tool::showDragInfo(p); }

  protected:
    Color32 paintColor() const override { return 0; }
    bool acceptsButton(MouseButton button) const override { return button == MouseButton::Left; }
};

} // namespace kv
