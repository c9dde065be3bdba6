#include "ui/menus/KeyboardHelpPage.h"

#include "ui/menus/ShortcutTable.h"

#include <QStringList>

namespace kv {
namespace {

// "&Selection > &Deselect" as the reader sees it: "Selection &gt; Deselect".
QString Shown(const char* text) {
    return QString::fromUtf8(text).remove('&').toHtmlEscaped();
}

} // namespace

QString KeyboardHelpPage() {
    QString rows;
    for (const MenuShortcut& shortcut : MenuShortcuts()) {
        QStringList keys;
        for (QKeyCombination key : shortcut.keys()) {
            const QString text = KeyText(key);
            if (text.isEmpty()) return {};
            keys << "<kbd>" + text.toHtmlEscaped() + "</kbd>";
        }
        const QString menu = *shortcut.menu ? Shown(shortcut.menu) : QString("(anywhere)");
        rows += QString("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n")
                    .arg(menu, Shown(shortcut.item), keys.join(", "));
    }
    return QString(R"(<!DOCTYPE html>
<html lang="en">
<head><meta charset="utf-8"><title>Keyboard shortcuts</title></head>
<body>
<h1>Keyboard shortcuts</h1>
<p>The keys that choose menu commands. Keys of the drawing tools (Ctrl, Shift and Alt while
painting) are described with the tools.</p>
<table border="1" cellspacing="0" cellpadding="4">
<tr><th>Menu</th><th>Command</th><th>Keys</th></tr>
%1</table>
<p><a href="index.html">Contents</a></p>
</body>
</html>
)")
        .arg(rows);
}

} // namespace kv
