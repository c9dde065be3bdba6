#include "tools/framework/ToolCatalog.h"

#include <array>

namespace kv {
namespace {

constexpr std::array<ToolDescriptor, kToolCount> kTools{{
    {ToolId::Selection, "Selection Tool", "SelectionTool"},
    {ToolId::MagicWand, "Magic Wand", "MagicWandTool"},
    {ToolId::Move, "Move Tool", "MoveTool"},
    {ToolId::ColorPicker, "Color Picker", "ColorPickerTool"},
    {ToolId::Pencil, "Pencil", "PencilTool"},
    {ToolId::Brush, "Brush", "BrushTool"},
    {ToolId::Gradient, "Gradient Tool", "GradientTool"},
    {ToolId::FloodFill, "Flood Fill Tool", "FloodFillTool"},
    {ToolId::Eraser, "Eraser", "EraserTool"},
    {ToolId::Text, "Text Tool", "TextTool"},
    {ToolId::Rectangle, "Rectangle Tool", "RectangleTool"},
    {ToolId::Ellipse, "Ellipse Tool", "EllipseTool"},
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
