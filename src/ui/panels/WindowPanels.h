#pragma once
#include "commands/host/CommandHost.h"
#include "ui/panels/ThumbnailCache.h"

#include <QObject>

#include <memory>

class QDockWidget;
class QMainWindow;

namespace kv {

class Image;
class MainView;
class PanelColumn;
class SettingsStore;
class StatusBar;
class Toolbox;

// Puts the toolbox on the left of the main window, the panel column on the
// right and the status bar below, and keeps them in step with the model,
// the view and the current tool.
class WindowPanels : public QObject {
    Q_OBJECT
  public:
    WindowPanels(QMainWindow& window, MainView& view, CommandHost& host);
    ~WindowPanels() override;

    // After a command: everything, the selection or the swatches.
    void refresh(RefreshScope scope);
    // An action or a tool changed the image: its thumbnails are drawn again.
    void imageChanged(Image& image);

    Toolbox& toolbox() const { return *m_toolbox; }
    PanelColumn& column() const { return *m_column; }
    StatusBar& statusBar() const { return *m_status; }
    ThumbnailCache& thumbnails() { return m_thumbnails; }

  private:
    void connectView();
    void showCurrentTool();
    void colorsChanged();
    void chooseLayerIfNone();

    MainView& m_view;
    std::unique_ptr<SettingsStore> m_fallbackSettings;
    ThumbnailCache m_thumbnails;
    Toolbox* m_toolbox = nullptr;
    PanelColumn* m_column = nullptr;
    StatusBar* m_status = nullptr;
};

} // namespace kv
