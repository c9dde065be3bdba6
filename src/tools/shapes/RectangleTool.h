#pragma once
#include "tools/shapes/ShapeTool.h"

namespace kv {

// Paints axis-aligned rectangles; the outline is `width` pixels inside the
// dragged rectangle.
class RectangleTool final : public ShapeTool {
  public:
    RectangleTool(ToolHost& host, ToolSettings& settings);
    ShapeRow shapeRow(const Rect& pixels, std::int32_t width, std::int32_t y) const override;

  protected:
    void drawOutline(OverlayCanvas& canvas, const Rect& units) const override;
};

} // namespace kv
