#pragma once
#include "ui/ClipboardExchange.h"
#include "ui/QtCommandHost.h"

#include <QMainWindow>

namespace kv {

// The editor's main window. Menus, the view and the panels are added as
// their commands arrive.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Shows the window where the user left it (the settings' placement), or
    // where the defaults put it the first time.
    void showAtSavedPlacement();

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
};

} // namespace kv
