#pragma once
#include "tools/freehand/FreehandTool.h"

#include <span>

namespace kv {

// The Pencil and the Eraser: the grid-aligned hard tip, painted from the
// layer snapshot so that a stroke never builds up over itself.
class HardTipTool : public FreehandTool {
  public:
    OptionsPanel buildOptionsPanel() const override;
    TipPreview renderOptionsPreview(std::int32_t boxSize) const override;

  protected:
    HardTipTool(ToolId id, ToolHost& host, ToolSettings& settings,
                std::span<const ToolOption> options, UnsignedSetting& size, const char* undoLabel,
                Hints hints, bool picksColors);

    Rect tipRect(ImagePoint p) const override;
    void strokeTo(ImagePoint p) override;
    Rect paintLine(ImagePoint p) override;
    std::string lineExtentText() const override;
    void drawTip(OverlayCanvas& canvas, ImagePoint p) const override;

  private:
    std::int32_t tipSize() const { return tipUnits() / LayerPixelUnits(layerLevel()); }
    Rect segment(ImagePoint from, ImagePoint to);

    std::span<const ToolOption> m_options;
};

} // namespace kv
