#pragma once
#include "model/Geometry.h"
#include "tools/framework/PaintTarget.h"
#include "tools/framework/Tool.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kv {

class UnsignedSetting;

// What the Brush, Pencil and Eraser share: a freehand stroke while the button
// is held, a straight line from the press point with CTRL, colour picking
// with ALT (not the Eraser), the tip outline following the pointer, and one
// undo action per stroke or line. The tips and how they paint are the
// subclasses'.
class FreehandTool : public Tool {
  public:
    // The idle hints of the three modes that show them.
    struct Hints {
        const char* paint;
        const char* line;
        const char* pick;
    };

    void optionChanged() override;
    void suspend() override;
    void resume(ImagePoint p) override;
    CursorRole getCursor(ImagePoint p) override;
    void mouseMove(ImagePoint p) override;
    bool mouseDown(MouseButton button, ImagePoint p) override;
    bool mouseUp(MouseButton button, ImagePoint p) override;
    void endDrag() override;
    bool keyDown(int key, bool repeat) override;
    bool keyUp(int key) override;
    void paintOverlay(OverlayCanvas& canvas) override;
    void updateHint() override;
    void showDragInfo(ImagePoint p) override;
    bool wantsAutoScroll() const override;

    // The press point of a line; in a Brush stroke, where the last dab went.
    ImagePoint anchor() const { return m_anchor; }
    ImagePoint currentPoint() const { return m_current; }
    // The area painted so far in this stroke, in image units.
    const Rect& strokeRect() const { return m_strokeRect; }

  protected:
    static constexpr ToolState kStroke = ToolState::Drag;
    static constexpr ToolState kLine = ToolState::OtherDrag;

    FreehandTool(ToolId id, ToolHost& host, ToolSettings& settings, UnsignedSetting& size,
                 const char* undoLabel, Hints hints, bool picksColors);

    // The tip's width in image units on the layer painted now.
    std::int32_t tipUnits() const;
    // 0, or 3 when the layer is supersampled.
    int layerLevel() const;
    PaintTarget& target() { return *m_target; }
    void setAnchor(ImagePoint p) { m_anchor = p; }
    void setCurrentPoint(ImagePoint p) { m_current = p; }
    void addToStroke(const Rect& changed);

    // The tip's outline area at a point, in image units.
    virtual Rect tipRect(ImagePoint p) const = 0;
    // A stroke reached p.
    virtual void strokeTo(ImagePoint p) = 0;
    // Paints the straight line from the anchor to p; the changed area.
    virtual Rect paintLine(ImagePoint p) = 0;
    // The status text of a line's extent from the anchor to the current point.
    virtual std::string lineExtentText() const = 0;
    virtual void drawTip(OverlayCanvas& canvas, ImagePoint p) const = 0;
    virtual Color32 paintColor() const;
    virtual bool acceptsButton(MouseButton button) const;

  private:
    ToolMode evaluateMode() const;
    bool showsTip() const { return m_mode == ToolMode::Paint || m_mode == ToolMode::Line; }
    void startEdit();
    void commit();
    void moveIdle(ImagePoint old, ImagePoint p);
    void moveLine(ImagePoint old, ImagePoint p);

    UnsignedSetting& m_size;
    const char* m_undoLabel;
    Hints m_hints;
    bool m_picksColors;
    ImagePoint m_anchor;
    ImagePoint m_current;
    Rect m_strokeRect;
    std::optional<PaintTarget> m_target;
};

} // namespace kv
