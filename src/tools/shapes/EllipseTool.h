#pragma once
#include "tools/shapes/ShapeTool.h"

namespace kv {

// Paints the ellipse inscribed in the dragged rectangle. A one-pixel outline
// is every inside pixel with a four-way neighbour outside; a wider one is
// what lies outside the ellipse whose semi-axes are shorter by the width.
class EllipseTool final : public ShapeTool {
  public:
    EllipseTool(ToolHost& host, ToolSettings& settings);
    ShapeRow shapeRow(const Rect& pixels, std::int32_t width, std::int32_t y) const override;

  protected:
    void drawOutline(OverlayCanvas& canvas, const Rect& units) const override;
};

} // namespace kv
