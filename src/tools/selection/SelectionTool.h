#pragma once
#include "tools/framework/RectangleDrag.h"
#include "tools/framework/Tool.h"

namespace kv {

class Image;

// Drags out a rectangular or elliptical selection that replaces the selection
// or, chosen at the press, is added to it (SHIFT), subtracted from it (ALT)
// or intersected with it (both). During the drag the same keys make the
// rectangle square and grow it from its centre. A click without a drag
// deselects.
class SelectionTool final : public Tool {
  public:
    SelectionTool(ToolHost& host, ToolSettings& settings);
    OptionsPanel buildOptionsPanel() const override;
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
    bool wantsAutoScroll() const override;

    const Rect& dragRect() const { return m_drag.rect(); }

  private:
    static constexpr ToolState kPressed = ToolState::Drag;
    static constexpr ToolState kDragging = ToolState::OtherDrag;

    ToolMode evaluateMode() const;
    void refreshMode();
    bool elliptical() const;
    bool modifierKey(int key, bool repeat);
    void select(Image& image);

    RectangleDrag m_drag;
    Image* m_edited = nullptr;
};

} // namespace kv
