#pragma once
// The small vocabulary shared by the tools and the view that drives them.
#include <cstdint>

namespace kv {

// What a tool is doing. 0: the last press found nothing to do (the tool waits
// for the release); 1: idle; 2 and 3: the tool's two kinds of drag (for the
// freehand tools a stroke and a line); 4: picking a colour with ALT held.
enum class ToolState : std::int32_t {
    NoEffect = 0,
    Idle = 1,
    Drag = 2,
    OtherDrag = 3,
    Picking = 4
};

// What a press would do, evaluated while idle from the modifier keys. The
// painting tools use None, Paint, Line and Pick (the fill, shape, gradient
// and text tools only None, Paint and Pick); the selection tools None and the
// four ways a new region combines with the selection before it; the Move
// Tool None and Move.
enum class ToolMode : std::int32_t {
    None = 0,
    Paint = 1,
    Line = 2,
    Pick = 3,
    Replace = 4,
    Add = 5,
    Subtract = 6,
    Intersect = 7,
    Move = 8,
};

enum class MouseButton : std::int32_t { Left = 1, Right = 2 };

// The keyboard state at the moment it is asked for, not from message flags.
struct ModifierKeys {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// The virtual key codes of the modifier keys.
inline constexpr int kKeyShift = 16;
inline constexpr int kKeyControl = 17;
inline constexpr int kKeyAlt = 18;
// The cursor keys, which nudge with the Move Tool.
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;

// The view's drag mode: idle, panning with the middle button, or a tool drag
// with the mouse captured.
enum class ViewInteraction : std::int32_t { Idle = 0, Panning = 1, ToolDrag = 2 };

// Cursors by role; the user interface owns the pictures.
enum class CursorRole {
    Arrow,
    ColorPicking,
    PreciseCross, // where the tool draws its own tip outline
    SmallTipOdd,  // tips narrower than 9 screen pixels, by parity of width
    SmallTipEven,
    NoImage,
    Pan,
    Fill,
    Cross, // the shape tools, and the Selection Tool replacing the selection
    SelectionAdd,
    SelectionSubtract,
    SelectionIntersect,
    WandReplace,
    WandAdd,
    WandSubtract,
    WandIntersect,
    Gradient,
    Move,
    Text,
};

// The status bar fields a tool writes.
enum class StatusField { Hint, Position, Color, Size };

} // namespace kv
