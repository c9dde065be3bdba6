#pragma once
// The pictures of the view's own cursors, as rows of characters: '#' black,
// '.' white, anything else transparent. Kept free of Qt so that their shapes
// can be checked without a display.
#include "tools/framework/ToolTypes.h"

#include <string>
#include <vector>

namespace kv {

struct CursorArt {
    std::vector<std::string> rows;
    int hotX = 0;
    int hotY = 0;
};

// The drawn cursors: colour picking, the precise cross and the two small tip
// cursors. The other roles use the system's shapes and have no art.
bool HasCursorArt(CursorRole role);
CursorArt ArtFor(CursorRole role);

} // namespace kv
