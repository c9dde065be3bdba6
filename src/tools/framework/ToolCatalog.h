#pragma once
// The twelve tools in toolbox order.
#include <cstddef>
#include <span>

namespace kv {

enum class ToolId {
    Selection,
    MagicWand,
    Move,
    ColorPicker,
    Pencil,
    Brush,
    Gradient,
    FloodFill,
    Eraser,
    Text,
    Rectangle,
    Ellipse,
};

inline constexpr std::size_t kToolCount = 12;

struct ToolDescriptor {
    ToolId id;
    const char* toolboxName;
    const char* className;
    // False for the tools whose behaviour is still to come: they exist in the
    // toolbox but do nothing yet.
    bool built;
};

std::span<const ToolDescriptor, kToolCount> ToolboxOrder();
const ToolDescriptor& DescribeTool(ToolId id);

} // namespace kv
