#pragma once
// The keyboard shortcuts of the main window in one table: the menus take
// their keys from it, and the build writes the keyboard help page from it
// with a small program, so the page cannot fall behind the menus. Plain Qt
// Core only, so that program needs no window system.
#include <QKeyCombination>
#include <QList>

#include <span>
#include <string_view>

namespace kv {

struct MenuShortcut {
    // The menu bar's menu ("&Edit"); empty for a key that no menu shows.
    const char* menu;
    // The item's text, after the submenus that lead to it: "&Selection >
    // &Deselect". For a key without a menu item, what it does.
    const char* item;
    // One or two keys; the second is Key_unknown when there is only one.
    QKeyCombination first;
    QKeyCombination second = QKeyCombination(Qt::Key_unknown);

    QList<QKeyCombination> keys() const;
};

// Every shortcut, in menu order, the one without a menu last.
std::span<const MenuShortcut> MenuShortcuts();

// The entry of a menu item, by the texts above; null when it has no keys.
const MenuShortcut* FindMenuShortcut(std::string_view menu, std::string_view item);

// The key that gives the keyboard back to the picture (out of a panel's
// edit box, say); it is in no menu.
QKeyCombination FocusViewKey();

// A key as the help shows it: "Ctrl+Shift+PageDown", "Ctrl+Num+". Empty for
// a key this table has no name for.
QString KeyText(QKeyCombination key);

} // namespace kv
