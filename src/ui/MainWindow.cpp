#include "ui/MainWindow.h"

namespace kv {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle("Korvane");
    resize(960, 720);
}

} // namespace kv
