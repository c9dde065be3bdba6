#pragma once
#include "model/Color32.h"
#include "tools/framework/ToolCatalog.h"
#include "tools/framework/ToolGeometry.h"
#include "tools/framework/ToolOptions.h"
#include "tools/framework/ToolTypes.h"

#include <cstdint>

namespace kv {

class OverlayCanvas;
class ToolHost;
class ToolSettings;

// A drawing tool. The view calls these as the pointer and the keys move (the
// view-to-tool table of ViewToolBridge); the defaults do nothing, show the
// arrow and report the pointer's pixel. Tools are suspended until the
// pointer first enters the view.
class Tool {
  public:
    Tool(ToolId id, ToolHost& host, ToolSettings& settings);
    virtual ~Tool();
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;

    ToolId id() const { return m_id; }
    const char* name() const { return DescribeTool(m_id).toolboxName; }

    virtual void activate();
    virtual void deactivate();
    // The controls of the options panel; none by default.
    virtual OptionsPanel buildOptionsPanel() const;
    // The panel's tip picture for a square box of that many screen pixels.
    virtual TipPreview renderOptionsPreview(std::int32_t boxSize) const;
    // The user changed one of the panel's settings.
    virtual void optionChanged() {}
    virtual void suspend();
    virtual void resume(ImagePoint p);
    virtual CursorRole getCursor(ImagePoint p);
    virtual void mouseMove(ImagePoint p);
    // True when the press starts a drag (the view then captures the mouse).
    virtual bool mouseDown(MouseButton button, ImagePoint p);
    // True when the release ends the drag.
    virtual bool mouseUp(MouseButton button, ImagePoint p);
    // The drag is over, by a release or because the capture was lost.
    virtual void endDrag();
    // True when the key was used.
    virtual bool keyDown(int key, bool repeat);
    virtual bool keyUp(int key);
    virtual void paintOverlay(OverlayCanvas& canvas);
    virtual void updateHint();
    virtual void showPosition(ImagePoint p);
    virtual void showDragInfo(ImagePoint p);
    virtual bool wantsAutoScroll() const;

    bool isActive() const { return m_active; }
    bool isSuspended() const { return m_suspended; }
    ToolState state() const { return m_state; }
    ToolMode mode() const { return m_mode; }

  protected:
    ToolHost& host() const { return m_host; }
    ToolSettings& settings() const { return m_settings; }
    void setSuspended(bool suspended) { m_suspended = suspended; }

    // The modifier keys change an idle tool's mode: the cursor shows it at
    // once. True exactly when idle and the key is SHIFT, CTRL or ALT.
    bool handleModifierKey(int key);
    // Stores the colour the view shows under the point as the button's
    // colour (no undo); nothing outside the image.
    void pickColor(MouseButton button, ImagePoint p);
    // The colour under the point in the status bar, or clears it outside.
    void showColorUnder(ImagePoint p);

    ToolState m_state = ToolState::Idle;
    ToolMode m_mode = ToolMode::None;
    MouseButton m_button = MouseButton::Left;

  private:
    ToolId m_id;
    ToolHost& m_host;
    ToolSettings& m_settings;
    bool m_active = false;
    bool m_suspended = true;
};

} // namespace kv
