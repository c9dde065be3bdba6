#pragma once
#include "commands/formats/BuiltInFormats.h"
#include "model/ChannelMode.h"
#include "ui/menus/CommandItems.h"

#include <QObject>

#include <functional>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;

namespace kv {

class ClipboardExchange;
class FileDropFilter;
class FormatLibrary;
class MainWindow;
class QtCommandHost;

// The main window's menu bar, shortcuts and toolbar: every item runs one
// application command and is enabled from that command's condition. Also
// the window's dropped files and the help entries.
class MainMenus : public QObject {
    Q_OBJECT
  public:
    // The dialogs that come from outside the commands.
    enum class Dialog { Plugins, Options, About };

    MainMenus(MainWindow& window, QtCommandHost& host, ClipboardExchange& clipboard);
    ~MainMenus() override;

    // The file formats the commands open, import and export through; the
    // program's own until the plug-ins are there.
    void useFormats(FormatLibrary& formats) { m_formats = &formats; }
    // Plugins and Options stay disabled until their dialog is attached;
    // About shows a short box until then.
    void setDialog(Dialog dialog, std::function<void()> run);

    // Enables every item from its command's condition, with the Edit menu's
    // undo and redo texts.
    void refresh();
    CommandItems& items() { return *m_items; }
    QToolBar* toolbar() const { return m_toolbar; }
    QActionGroup* viewModes() const { return m_modes; }

    // A file dropped on the window: asks about the open project, then opens
    // the file as a project.
    bool openDroppedFile(const QString& path);
    // Opens the help window at a topic ("index.html" for the contents).
    void showHelp(const QString& topic);

  private:
    // --- MenuTree.cpp: the menus, in menu-bar order
    void buildFileMenu();
    void buildEditMenu();
    void buildViewMenu();
    void buildImageMenu();
    void buildLayerMenu();
    void buildToolsMenu();
    void buildHelpMenu();
    void addViewMode(QMenu* menu, const char* text, ChannelMode mode);
    QMenu* addMenu(const char* title);

    // --- MainMenus.cpp
    void buildToolbar();
    void buildEscape();
    void refreshEditTexts();
    void showMode(ChannelMode mode);
    bool runDialog(Dialog dialog);
    bool hasDialog(Dialog dialog) const;
    FormatLibrary& formats() { return *m_formats; }

    MainWindow& m_window;
    QtCommandHost& m_host;
    ClipboardExchange& m_clipboard;
    BuiltInFormats m_builtIn;
    FormatLibrary* m_formats = &m_builtIn;
    CommandItems* m_items;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QActionGroup* m_modes = nullptr;
    QToolBar* m_toolbar = nullptr;
    FileDropFilter* m_drops = nullptr;
    std::function<void()> m_dialogs[3];
    bool m_pasteAvailable = false;
};

} // namespace kv
