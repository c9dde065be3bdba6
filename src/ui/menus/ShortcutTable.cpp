#include "ui/menus/ShortcutTable.h"

#include <QString>

#include <array>

namespace kv {
namespace {

constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kShift = Qt::ShiftModifier;
constexpr auto kAlt = Qt::AltModifier;
// The number pad's keys carry this besides the key itself.
constexpr auto kPad = Qt::KeypadModifier;

constexpr QKeyCombination K(Qt::Key key) {
    return QKeyCombination(key);
}
constexpr QKeyCombination K(Qt::KeyboardModifiers modifiers, Qt::Key key) {
    return QKeyCombination(modifiers, key);
}

const std::array kShortcuts = {
    MenuShortcut{"&File", "&New...", K(kCtrl, Qt::Key_N)},
    MenuShortcut{"&File", "&Open...", K(kCtrl, Qt::Key_O)},
    MenuShortcut{"&File", "&Save", K(kCtrl, Qt::Key_S)},
    MenuShortcut{"&File", "&Close", K(kCtrl, Qt::Key_F4)},
    MenuShortcut{"&File", "&Import...", K(kCtrl | kShift, Qt::Key_O)},
    MenuShortcut{"&File", "&Export...", K(kCtrl | kShift, Qt::Key_S)},
    MenuShortcut{"&Edit", "&Undo", K(kCtrl, Qt::Key_Z)},
    MenuShortcut{"&Edit", "&Redo", K(kCtrl, Qt::Key_Y), K(kCtrl | kShift, Qt::Key_Z)},
    MenuShortcut{"&Edit", "Cu&t", K(kCtrl, Qt::Key_X)},
    MenuShortcut{"&Edit", "&Copy", K(kCtrl, Qt::Key_C)},
    MenuShortcut{"&Edit", "C&opy Merged", K(kCtrl | kShift, Qt::Key_C)},
    MenuShortcut{"&Edit", "&Paste", K(kCtrl, Qt::Key_V)},
    MenuShortcut{"&Edit", "&Erase", K(Qt::Key_Delete)},
    MenuShortcut{"&Edit", "Select &All", K(kCtrl, Qt::Key_A)},
    MenuShortcut{"&Edit", "&Selection > &Deselect", K(kCtrl, Qt::Key_D)},
    MenuShortcut{"&Edit", "&Selection > &Invert", K(kCtrl, Qt::Key_I)},
    MenuShortcut{"&View", "Zoom &In", K(kCtrl, Qt::Key_Equal), K(kCtrl | kPad, Qt::Key_Plus)},
    MenuShortcut{"&View", "Zoom &Out", K(kCtrl, Qt::Key_Minus), K(kCtrl | kPad, Qt::Key_Minus)},
    MenuShortcut{"&View", "Zoom to &Fit", K(kCtrl, Qt::Key_Backspace)},
    MenuShortcut{"&View", "&Normal", K(Qt::Key_F5)},
    MenuShortcut{"&View", "&Color only", K(Qt::Key_F6)},
    MenuShortcut{"&View", "&Alpha only", K(Qt::Key_F7)},
    MenuShortcut{"&Image", "&New...", K(kCtrl | kShift, Qt::Key_N)},
    MenuShortcut{"&Image", "P&revious", K(kAlt, Qt::Key_PageUp)},
    MenuShortcut{"&Image", "&Next", K(kAlt, Qt::Key_PageDown)},
    MenuShortcut{"&Layer", "&New > &Layer", K(kCtrl, Qt::Key_L)},
    MenuShortcut{"&Layer", "&New > &Supersampled layer", K(kCtrl | kShift, Qt::Key_L)},
    MenuShortcut{"&Layer", "&Duplicate", K(kCtrl | kShift, Qt::Key_D)},
    MenuShortcut{"&Layer", "&Merge Down", K(kCtrl, Qt::Key_E)},
    MenuShortcut{"&Layer", "Next &Up", K(Qt::Key_PageUp)},
    MenuShortcut{"&Layer", "Next Do&wn", K(Qt::Key_PageDown)},
    MenuShortcut{"&Layer", "Bring to F&ront", K(kCtrl | kShift, Qt::Key_PageUp)},
    MenuShortcut{"&Layer", "Move &Forward", K(kCtrl, Qt::Key_PageUp)},
    MenuShortcut{"&Layer", "Move &Backward", K(kCtrl, Qt::Key_PageDown)},
    MenuShortcut{"&Layer", "Send to Bac&k", K(kCtrl | kShift, Qt::Key_PageDown)},
    MenuShortcut{"&Help", "&Contents", K(Qt::Key_F1)},
    MenuShortcut{"", "Give the keyboard back to the picture", K(Qt::Key_Escape)},
};

QString KeyName(Qt::Key key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return QString(QChar(char(key)));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return QString("F%1").arg(key - Qt::Key_F1 + 1);
    switch (key) {
    case Qt::Key_Equal:
        return "=";
    case Qt::Key_Plus:
        return "+";
    case Qt::Key_Minus:
        return "-";
    case Qt::Key_Backspace:
        return "Backspace";
    case Qt::Key_Delete:
        return "Delete";
    case Qt::Key_Escape:
        return "Escape";
    case Qt::Key_PageUp:
        return "PageUp";
    case Qt::Key_PageDown:
        return "PageDown";
    default:
        return {};
    }
}

} // namespace

QList<QKeyCombination> MenuShortcut::keys() const {
    QList<QKeyCombination> list{first};
    if (second.key() != Qt::Key_unknown) list.append(second);
    return list;
}

std::span<const MenuShortcut> MenuShortcuts() {
    return kShortcuts;
}

const MenuShortcut* FindMenuShortcut(std::string_view menu, std::string_view item) {
    for (const MenuShortcut& shortcut : kShortcuts)
        if (menu == shortcut.menu && item == shortcut.item) return &shortcut;
    return nullptr;
}

QKeyCombination FocusViewKey() {
    return kShortcuts.back().first;
}

QString KeyText(QKeyCombination key) {
    const QString name = KeyName(key.key());
    if (name.isEmpty()) return {};
    const Qt::KeyboardModifiers modifiers = key.keyboardModifiers();
    QString text;
    if (modifiers & Qt::ControlModifier) text += "Ctrl+";
    if (modifiers & Qt::ShiftModifier) text += "Shift+";
    if (modifiers & Qt::AltModifier) text += "Alt+";
    if (modifiers & Qt::KeypadModifier) text += "Num";
    return text + name;
}

} // namespace kv
