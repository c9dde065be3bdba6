#pragma once
#include "tools/freehand/FreehandTool.h"
#include "tools/freehand/PointQueue.h"

namespace kv {

// The soft, anti-aliased round tip with hardness and opacity. Dabs go every
// tenth of the tip's width along the pointer's path and mix into the layer's
// current pixels, so they build up within a stroke. A long segment keeps
// sampling the pointer, so the stroke follows where the pointer is now.
class BrushTool final : public FreehandTool {
  public:
    BrushTool(ToolHost& host, ToolSettings& settings);
    OptionsPanel buildOptionsPanel() const override;
    TipPreview renderOptionsPreview(std::int32_t boxSize) const override;

  protected:
    Rect tipRect(ImagePoint p) const override;
    void strokeTo(ImagePoint p) override;
    Rect paintLine(ImagePoint p) override;
    std::string lineExtentText() const override;
    void drawTip(OverlayCanvas& canvas, ImagePoint p) const override;

  private:
    Rect dab(ImagePoint p);
    // Dabs from the anchor towards b; the anchor moves to the last dab.
    Rect segment(ImagePoint b, bool inStroke);
    void catchUp();

    PointQueue m_queue;
};

} // namespace kv
