#pragma once
#include "tools/framework/ToolCatalog.h"
#include "ui/ClipboardExchange.h"
#include "ui/QtCommandHost.h"

#include <QMainWindow>

#include <memory>

namespace kv {

class FormatLibrary;
class MainMenus;
class MainView;
class SettingsStore;
class WindowPanels;

// The editor's main window. Menus, the view and the panels are added as
// their commands arrive.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    MainView& view() { return *m_view; }
    WindowPanels& panels() { return *m_panels; }
    // The view follows the current project's current image; call after the
    // project or its current image changed.
    void showCurrentProject();
    // Makes a tool current (the toolbox and the Tools menu follow).
    bool chooseTool(ToolId id);

    // Shows the window where the user left it (the settings' placement), or
    // where the defaults put it the first time.
    void showAtSavedPlacement();

    // The menus, shortcuts and toolbar.
    MainMenus& menus() { return *m_menus; }
    // The file formats the menus' commands use (the program's own until then).
    void useFormats(FormatLibrary& formats);

    // What the commands reach the user through.
    QtCommandHost& commandHost() { return m_host; }
    ClipboardExchange& clipboard() { return m_clipboard; }

    // "Korvane", then " - " and the project's name, then "*" while modified.
    void refreshTitle();

  protected:
    // Asks about a modified project first; cancelling keeps the window open.
    void closeEvent(QCloseEvent* event) override;

  private:
    void savePlacement() const;

    ClipboardExchange m_clipboard;
    QtCommandHost m_host;
    // Defaults for a window made before the settings exist.
    std::unique_ptr<SettingsStore> m_defaultSettings;
    MainView* m_view = nullptr;
    MainMenus* m_menus = nullptr;
    // Toolbox, panel column and status bar.
    WindowPanels* m_panels = nullptr;
};

} // namespace kv
