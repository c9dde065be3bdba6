#pragma once

class QMenu;

namespace kv {

class MainWindow;

// Until the toolbox exists: a submenu of the twelve drawing tools, one of
// them checked, that makes the chosen one current.
void AddTemporaryToolsMenu(QMenu& parent, MainWindow& window);

} // namespace kv
