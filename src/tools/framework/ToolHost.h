#pragma once
// The one door through which tools reach the user interface: the view they
// paint in, the cursor, the status bar, the pointer and the keyboard. The
// main view implements it; tests fake it.
#include "model/Geometry.h"
#include "tools/framework/PaintPixel.h"
#include "tools/framework/ToolGeometry.h"
#include "tools/framework/ToolOptions.h"
#include "tools/framework/ToolTypes.h"

#include <string>

namespace kv {

class Image;

// Where the pointer is now, and whether the button of the stroke in progress
// has been released since (the release itself stays queued for the view).
struct PointerSample {
    ImagePoint position;
    bool buttonReleased = false;
};

class ToolHost {
  public:
    virtual ~ToolHost() = default;

    // The image the view shows, or null.
    virtual Image* image() = 0;
    // Screen pixels per image pixel: 1, 2, 4, 8, 16, 24, 32, 48 or 64.
    virtual int zoom() const = 0;
    virtual ChannelMode channelMode() const = 0;
    virtual ModifierKeys modifierKeys() const = 0;

    // Repaints an image-unit rectangle of the view (an empty one is ignored).
    virtual void invalidate(const Rect& units) = 0;
    virtual void repaintView() = 0;
    // Asks the view for the tool's cursor again at the current pointer position.
    virtual void refreshCursor() = 0;
    // An empty text clears the field.
    virtual void setStatusText(StatusField field, const std::string& text) = 0;

    // Without waiting: the current pointer position, and whether the button
    // was released. Long brush segments use it to keep up with the pointer.
    virtual PointerSample samplePointer(MouseButton button) = 0;
    virtual void beep() = 0;

    // The primary or secondary colour changed: the swatches follow at once.
    virtual void colorsChanged() = 0;
    // After an edit: the layer thumbnail, the image preview and the project panel.
    virtual void refreshAfterEdit(Image& image) = 0;
    // Fills the options panel with the current tool's controls.
    virtual void showOptionsPanel(const OptionsPanel& panel) = 0;

    // The view holds the mouse for a tool drag, and the auto-scroll timer runs.
    virtual void setMouseCapture(bool captured) = 0;
    virtual void setAutoScrollTimer(bool running) = 0;
};

} // namespace kv
