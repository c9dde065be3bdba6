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
};

std::span<const ToolDescriptor, kToolCount> ToolboxOrder();
const ToolDescriptor& DescribeTool(ToolId id);

} // namespace kv
