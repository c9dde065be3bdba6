#pragma once
#include <QString>

namespace kv {

// The help topic "keyboard.html": every row of the shortcut table with its
// menu, item and keys. Written at build time by help/KeyboardPageWriter.cpp;
// a key the table has no name for makes it fail there (empty result).
QString KeyboardHelpPage();

} // namespace kv
