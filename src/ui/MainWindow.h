#pragma once
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

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void savePlacement() const;
};

} // namespace kv
