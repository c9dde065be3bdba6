#pragma once
#include "commands/host/CommandHost.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

namespace kv {

class ClipboardExchange;
class PluginHost;

// The commands' door to the Qt program: the program's message boxes, the
// file dialogs, the clipboard, the wait cursor. The main window tells it
// how to refresh, which dialogs it has and what the main view shows.
class QtCommandHost final : public CommandHost {
  public:
    using Refresher = std::function<void(RefreshScope)>;
    using DialogRunner = std::function<bool(DialogValues&)>;
    // The image point at the view's centre; nothing while it shows no image.
    using CentreSource = std::function<std::optional<ImagePoint>()>;

    QtCommandHost(QWidget* owner, ClipboardExchange& clipboard);

    void setRefresher(Refresher refresher) { m_refresher = std::move(refresher); }
    // Replaces the program's own dialogs (tests answer them this way).
    void setDialogRunner(DialogRunner runner) { m_dialogs = std::move(runner); }
    void setChannelMode(ChannelMode mode) { m_mode = mode; }
    void setViewCentre(CentreSource source) { m_centre = std::move(source); }
    // Who answers the file dialogs' previews; without one, projects only.
    void setPluginHost(const PluginHost* host) { m_pluginHost = host; }

    MessageResult ask(MessageButtons buttons, MessageIcon icon, const std::string& title,
                      const std::string& text, MessageResult defaultResult) override;
    void reportError(const std::string& text) override;
    void beep() override;
    std::optional<FileChoice> chooseFile(const FileDialogRequest& request) override;
    bool runDialog(DialogValues& values) override;
    void refresh(RefreshScope scope) override;
    void setWaitCursor(bool waiting) override;
    ChannelMode channelMode() const override { return m_mode; }
    // The main view's centre; the current image's centre without a view.
    ImagePoint viewCentre() const override;
    bool putOnClipboard(ClipPicture picture) override;
    bool clipboardHasData() const override;
    ClipboardData readClipboard() override;

  private:
    QPointer<QWidget> m_owner;
    ClipboardExchange& m_clipboard;
    Refresher m_refresher;
    DialogRunner m_dialogs;
    ChannelMode m_mode = ChannelMode::Normal;
    CentreSource m_centre;
    const PluginHost* m_pluginHost = nullptr;
};

} // namespace kv
