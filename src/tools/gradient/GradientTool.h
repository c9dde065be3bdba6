#pragma once
#include "model/Geometry.h"
#include "tools/framework/PaintingTool.h"
#include "tools/gradient/GradientFill.h"

namespace kv {

class Image;

// Fills the current layer, or its selected part, with a linear or radial
// blend from the button's colour at the press point to the other colour at
// the release point; SHIFT keeps the direction to multiples of 45 degrees.
class GradientTool final : public PaintingTool {
  public:
    GradientTool(ToolHost& host, ToolSettings& settings);
    OptionsPanel buildOptionsPanel() const override;
    void paintOverlay(OverlayCanvas& canvas) override;
    bool wantsAutoScroll() const override;

    // From the start point to the end point, as constrained (image units).
    Point vector() const { return m_vector; }
    GradientType gradientType() const;

  protected:
    void startDrag(ImagePoint p) override;
    void dragTo(ImagePoint p) override;
    bool dragUsesModifierKeys() const override { return true; }
    void dragKeysChanged() override;
    void finishDrag() override;
    void dragEnded() override;
    const char* dragHint() const override;

  private:
    void updateVector();
    // The view area the overlay of a vector covers.
    Rect overlayArea(Point vector) const;
    void apply(Image& image);

    ImagePoint m_start;
    bool m_shift = false;
    Point m_vector;
};

} // namespace kv
