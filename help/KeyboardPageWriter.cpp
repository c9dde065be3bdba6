// Writes the help topic keyboard.html from the menus' shortcut table, so the
// page lists exactly the keys the menus carry. Run by the build:
//   korvane_keyboard_page <output file>
#include "ui/menus/KeyboardHelpPage.h"

#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <keyboard.html>\n", argv[0]);
        return 2;
    }
    const QByteArray page = kv::KeyboardHelpPage().toUtf8();
    if (page.isEmpty()) {
        std::fprintf(stderr, "%s: a key of the shortcut table has no name\n", argv[0]);
        return 1;
    }
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size() || !file.commit()) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
