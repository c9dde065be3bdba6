#include "tools/framework/ToolCatalog.h"

#include <array>

namespace kv {
namespace {

constexpr std::array<ToolDescriptor, kToolCount> kTools{{
    {ToolId::Selection, "Selection Tool", "SelectionTool", true},
    {ToolId::MagicWand, "Magic Wand", "MagicWandTool", true},
    {ToolId::Move, "Move Tool", "MoveTool", true},
    {ToolId::ColorPicker, "Color Picker", "ColorPickerTool", true},
    {ToolId::Pencil, "Pencil", "PencilTool", true},
    {ToolId::Brush, "Brush", "BrushTool", true},
    {ToolId::Gradient, "Gradient Tool", "GradientTool", true},
    {ToolId::FloodFill, "Flood Fill Tool", "FloodFillTool", true},
    {ToolId::Eraser, "Eraser", "EraserTool", true},
    {ToolId::Text, "Text Tool", "TextTool", false},
    {ToolId::Rectangle, "Rectangle Tool", "RectangleTool", true},
    {ToolId::Ellipse, "Ellipse Tool", "EllipseTool", true},
}};

// The table is indexed by id.
constexpr bool InIdOrder() {
    for (std::size_t i = 0; i < kTools.size(); ++i)
        if (static_cast<std::size_t>(kTools[i].id) != i) return false;
    return true;
}
static_assert(InIdOrder());

} // namespace

std::span<const ToolDescriptor, kToolCount> ToolboxOrder() {
    return kTools;
}

const ToolDescriptor& DescribeTool(ToolId id) {
    return kTools[static_cast<std::size_t>(id)];
}

} // namespace kv
