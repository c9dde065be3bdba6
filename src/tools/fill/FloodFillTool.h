#pragma once
#include "tools/framework/PaintingTool.h"

namespace kv {

class Image;

// Paints the connected region of similar pixels around the pressed pixel of
// the current layer with the button's colour, when the button is released.
class FloodFillTool final : public PaintingTool {
  public:
    FloodFillTool(ToolHost& host, ToolSettings& settings);
    OptionsPanel buildOptionsPanel() const override;
    void showDragInfo(ImagePoint p) override;

  protected:
    void startDrag(ImagePoint p) override;
    void finishDrag() override;
    void dragEnded() override;

  private:
    // True when an action was recorded.
    bool fill();

    ImagePoint m_press;
    Image* m_filled = nullptr;
};

} // namespace kv
