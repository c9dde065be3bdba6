#pragma once
#include "tools/framework/PaintingTool.h"
#include "tools/framework/RectangleDrag.h"
#include "tools/shapes/InscribedEllipse.h"

#include <span>

namespace kv {

class UnsignedSetting;
struct PaintTarget;

// The three ways a shape is painted.
enum class ShapeType { Solid = 1, Outline = 2, FilledOutline = 3 };
// Their names on the Type option's buttons, in that order.
inline constexpr const char* kShapeTypeNames[] = {"Solid", "Outline", "Filled Outline"};

// One row of a shape in layer pixels: the outer run is the shape, the inner
// run (a part of it) what lies inside its outline.
struct ShapeRow {
    Span outer;
    Span inner;
};

// The Rectangle and Ellipse tools: a rectangle dragged on the grid (SHIFT
// squares it, ALT grows it from the press point) is painted hard-edged when
// the button is released: solid, outlined, or outlined in the button's
// colour and filled with the other one. One undo action per shape.
class ShapeTool : public PaintingTool {
  public:
    OptionsPanel buildOptionsPanel() const override;
    void paintOverlay(OverlayCanvas& canvas) override;
    bool wantsAutoScroll() const override;

    const Rect& dragRect() const { return m_drag.rect(); }
    ShapeType shapeType() const;
    std::int32_t outlineWidth() const;

    // The row y of the shape inscribed in a layer-pixel rectangle, with the
    // outline `width` pixels wide.
    virtual ShapeRow shapeRow(const Rect& pixels, std::int32_t width, std::int32_t y) const = 0;

  protected:
    ShapeTool(ToolId id, ToolHost& host, ToolSettings& settings,
              std::span<const ToolOption> options, UnsignedSetting& type, UnsignedSetting& width,
              const char* undoLabel, const char* paintHint);

    void startDrag(ImagePoint p) override;
    void dragTo(ImagePoint p) override;
    bool dragUsesModifierKeys() const override { return true; }
    void dragKeysChanged() override;
    void finishDrag() override;
    void dragEnded() override;
    const char* dragHint() const override;

    virtual void drawOutline(OverlayCanvas& canvas, const Rect& units) const = 0;

  private:
    void paint(const PaintTarget& target, const Rect& shape, const Rect& visited) const;

    std::span<const ToolOption> m_options;
    UnsignedSetting& m_type;
    UnsignedSetting& m_width;
    const char* m_undoLabel;
    RectangleDrag m_drag;
};

} // namespace kv
