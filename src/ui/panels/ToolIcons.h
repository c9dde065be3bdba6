#pragma once
#include "tools/framework/ToolCatalog.h"

#include <QIcon>

namespace kv {

// The toolbox pictures, drawn with vector strokes at 1x and 2x so that they
// stay crisp on high-density screens.
QIcon ToolIcon(ToolId id);
// The small command buttons of the panels, by their tool tip's subject.
enum class ButtonGlyph {
    Plus,
    Minus,
    Properties,
    Up,
    Down,
    Duplicate,
    Merge,
    Open,
    Save,
    Swap,
    Reset,
    ZoomIn,
    ZoomOut,
    Chequer,
    Lock,
    Eye
};
QIcon ButtonIcon(ButtonGlyph glyph);

} // namespace kv
