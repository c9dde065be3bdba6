#pragma once

class QMenu;

namespace kv {

class MainWindow;

// The toolbox's twelve tools as a submenu ("Tool&box"), the current one
// checked: the keyboard's way to choose a tool, since no shortcut picks one.
void AddToolboxMenu(QMenu& parent, MainWindow& window);

} // namespace kv
