#pragma once
#include <QIcon>

namespace kv {

// The main toolbar's pictures, drawn in code on a 16-unit grid: one pixmap
// at 16 x 16 and one at 32 x 32, so that both ordinary and doubled screens
// get whole-pixel edges instead of a scaled-up picture.
enum class ToolbarPicture {
    NewFile,
    OpenFile,
    SaveFile,
    Cut,
    Copy,
    Paste,
    Undo,
    Redo,
    ZoomIn,
    ZoomOut,
    NormalView,
    ColorOnly,
    AlphaOnly,
};

QIcon ToolbarIcon(ToolbarPicture picture);
// One size of a picture: 16 pixels times the scale (1 or 2).
QPixmap ToolbarPixmap(ToolbarPicture picture, int scale);

} // namespace kv
