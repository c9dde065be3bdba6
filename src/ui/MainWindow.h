#pragma once
#include <QMainWindow>

namespace kv {

// The editor's main window. Menus, the view and the panels are added as
// their commands arrive.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace kv
