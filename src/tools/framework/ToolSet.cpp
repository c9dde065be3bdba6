#include "tools/framework/ToolSet.h"

#include "tools/fill/FloodFillTool.h"
#include "tools/fill/MagicWandTool.h"
#include "tools/framework/ToolHost.h"
#include "tools/freehand/BrushTool.h"
#include "tools/freehand/EraserTool.h"
#include "tools/freehand/PencilTool.h"
#include "tools/gradient/GradientTool.h"
#include "tools/picker/ColorPickerTool.h"
#include "tools/selection/MoveTool.h"
#include "tools/selection/SelectionTool.h"
#include "tools/shapes/EllipseTool.h"
#include "tools/shapes/RectangleTool.h"
#include "tools/text/TextTool.h"

namespace kv {
namespace {

std::unique_ptr<Tool> MakeTool(ToolId id, ToolHost& host, ToolSettings& settings) {
    switch (id) {
    case ToolId::Selection:
        return std::make_unique<SelectionTool>(host, settings);
    case ToolId::MagicWand:
        return std::make_unique<MagicWandTool>(host, settings);
    case ToolId::Move:
        return std::make_unique<MoveTool>(host, settings);
    case ToolId::ColorPicker:
        return std::make_unique<ColorPickerTool>(host, settings);
    case ToolId::Pencil:
        return std::make_unique<PencilTool>(host, settings);
    case ToolId::Brush:
        return std::make_unique<BrushTool>(host, settings);
    case ToolId::Gradient:
        return std::make_unique<GradientTool>(host, settings);
    case ToolId::FloodFill:
        return std::make_unique<FloodFillTool>(host, settings);
    case ToolId::Eraser:
        return std::make_unique<EraserTool>(host, settings);
    case ToolId::Text:
        return std::make_unique<TextTool>(host, settings);
    case ToolId::Rectangle:
        return std::make_unique<RectangleTool>(host, settings);
    case ToolId::Ellipse:
        return std::make_unique<EllipseTool>(host, settings);
    }
    return nullptr; // every id is handled above
}

} // namespace

ToolSet::ToolSet(ToolHost& host, SettingsStore& settings) : m_host(host), m_settings(settings) {
    for (const ToolDescriptor& d : ToolboxOrder())
        m_tools[static_cast<std::size_t>(d.id)] = MakeTool(d.id, host, m_settings);
}

ToolSet::~ToolSet() = default;

bool ToolSet::select(ToolId id) {
    Tool& next = tool(id);
    if (&next == m_current) return false;
    if (m_current) m_current->deactivate();
    m_current = &next;
    next.activate();
    m_host.showOptionsPanel(next.buildOptionsPanel());
    m_host.repaintView();
    m_host.refreshCursor();
    return true;
}

} // namespace kv
