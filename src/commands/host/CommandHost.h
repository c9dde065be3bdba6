#pragma once
// The one door through which commands reach the user: questions and
// messages, the file dialogs, the other dialogs with their values, the
// refresh of what is shown, the main view's mode and centre, and the
// clipboard. The Qt program implements it; tests fake it.
#include "commands/host/DialogValues.h"
#include "commands/host/FileDialogs.h"
#include "editing/clipboard/ClipPicture.h"
#include "editing/clipboard/ClipboardFormats.h"
#include "model/ChannelMode.h"
#include "platform/ErrorReporter.h"
#include "tools/framework/ToolGeometry.h"

#include <optional>
#include <string>

namespace kv {

enum class RefreshScope {
    // Title, menus, panels and the main view: after the project, the image
    // list, the current image or its layers changed.
    Everything,
    // The selection outline only.
    Selection,
    // The colour panel's swatches.
    Swatches,
};

// What the clipboard holds that a paste can use, read in the order of
// preference: a picture, or a file to import and paste.
struct ClipboardData {
    std::optional<PastePicture> picture;
    std::string file;
};

class CommandHost {
  public:
    virtual ~CommandHost() = default;

    // The program's message box; None when another box is already open.
    virtual MessageResult ask(MessageButtons buttons, MessageIcon icon, const std::string& title,
                              const std::string& text, MessageResult defaultResult) = 0;
    // The error box ("Korvane :: Error", one OK button).
    virtual void reportError(const std::string& text) = 0;
    virtual void beep() = 0;

    // An open or save dialog; nothing when the user cancelled.
    virtual std::optional<FileChoice> chooseFile(const FileDialogRequest& request) = 0;
    // Runs the dialog that the values belong to; true when confirmed, the
    // values then hold the user's choice.
    virtual bool runDialog(DialogValues& values) = 0;

    virtual void refresh(RefreshScope scope) = 0;
    virtual void setWaitCursor(bool waiting) = 0;

    // The main view: the channel mode and the image point at its centre.
    virtual ChannelMode channelMode() const = 0;
    virtual ImagePoint viewCentre() const = 0;

    // Offers the picture to every program; false when the clipboard could
    // not take it.
    virtual bool putOnClipboard(ClipPicture picture) = 0;
    // Whether the clipboard holds something a paste can use.
    virtual bool clipboardHasData() const = 0;
    virtual ClipboardData readClipboard() = 0;
};

// The wait cursor for a scope.
class WaitCursor {
  public:
    explicit WaitCursor(CommandHost& host) : m_host(host) { m_host.setWaitCursor(true); }
    ~WaitCursor() { m_host.setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    CommandHost& m_host;
};

} // namespace kv
