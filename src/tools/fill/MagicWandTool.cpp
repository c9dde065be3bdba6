#include "tools/fill/MagicWandTool.h"

#include "model/Image.h"
#include "model/Layer.h"
#include "settings/UnsignedSetting.h"
#include "tools/fill/RegionFiller.h"
#include "tools/framework/ToolHost.h"
#include "tools/framework/ToolSettings.h"
#include "tools/selection/SelectionEdit.h"

#include <algorithm>

namespace kv {
namespace {

constexpr ToolOption kOptions[] = {
    {"Tolerance:", kMagicWandToleranceSetting, OptionKind::Slider, 0, 255},
};

// The current layer when it is visible, of whatever kind.
LayerBase* VisibleLayer(const Image* image) {
    LayerBase* layer = image ? image->currentLayer() : nullptr;
    return layer && layer->visible() ? layer : nullptr;
}

} // namespace

MagicWandTool::MagicWandTool(ToolHost& host, ToolSettings& settings)
    : Tool(ToolId::MagicWand, host, settings) {}

OptionsPanel MagicWandTool::buildOptionsPanel() const {
    return {kOptions};
}

ToolMode MagicWandTool::evaluateMode() const {
    const Image* image = host().image();
    if (!image || !image->selection() || !VisibleLayer(image)) return ToolMode::None;
    return CombinationFromKeys(host().modifierKeys());
}

void MagicWandTool::refreshMode() {
    const ToolMode mode = evaluateMode();
    if (mode == m_mode) return;
    m_mode = mode;
    updateHint();
}

void MagicWandTool::resume(ImagePoint p) {
    Tool::resume(p);
    refreshMode();
}

CursorRole MagicWandTool::getCursor(ImagePoint) {
    if (m_state == ToolState::Idle) refreshMode();
    if (m_state == ToolState::Idle || m_state == ToolState::Drag)
        return SelectionCursor(m_mode, true);
    return CursorRole::Arrow;
}

bool MagicWandTool::mouseDown(MouseButton button, ImagePoint p) {
    if (m_state != ToolState::Idle || button != MouseButton::Left) return false;
    m_state = m_mode == ToolMode::None ? ToolState::NoEffect : ToolState::Drag;
    m_press = p;
    m_selected = nullptr;
    return true;
}

bool MagicWandTool::mouseUp(MouseButton button, ImagePoint) {
    if (button != MouseButton::Left) return false;
    if (m_state == ToolState::Drag && select()) m_selected = host().image();
    return m_state == ToolState::Drag || m_state == ToolState::NoEffect;
}

void MagicWandTool::endDrag() {
    m_state = ToolState::Idle;
    if (!m_selected) return;
    host().repaintView();
    host().refreshAfterEdit(*m_selected);
    m_selected = nullptr;
}

bool MagicWandTool::keyDown(int key, bool) {
    return handleModifierKey(key);
}

bool MagicWandTool::keyUp(int key) {
    return handleModifierKey(key);
}

void MagicWandTool::updateHint() {
    const char* hint = "";
    if (m_state == ToolState::Idle) {
        switch (m_mode) {
        case ToolMode::Replace:
            hint = "Click to select a region. Use ALT and SHIFT for additional options.";
            break;
        case ToolMode::Add:
            hint = "Click to add a region to the selection.";
            break;
        case ToolMode::Subtract:
            hint = "Click to subtract a region from the selection.";
            break;
        case ToolMode::Intersect:
            hint = "Click to intersect the selection with a region.";
            break;
        default:
            break;
        }
    }
    host().setStatusText(StatusField::Hint, hint);
}

bool MagicWandTool::select() {
    Image* image = host().image();
    LayerBase* layer = VisibleLayer(image);
    if (!layer || !image->selection()) return false;
    auto* raster = dynamic_cast<Layer*>(layer);
    SelectionEdit edit(*image, "Select", raster && raster->supersampled());
    if (!edit.ready()) return false;
    // A supersampled layer is grown on its 8x pixels into the 8x mask.
    const PixelArray& source = edit.detail() ? raster->editablePixels() : layer->pixels();
    const int shift = edit.detail() ? 5 : 8;
    const std::int32_t x = m_press.x >> shift, y = m_press.y >> shift;
    MaskArray& target = edit.target();
    if (target.bounds().contains(x, y) && target.width() == source.width() &&
        target.height() == source.height()) {
        const auto tolerance = std::min<std::uint32_t>(settings().magicWandTolerance.value(), 255);
        RegionFiller(source, target, host().channelMode(), tolerance).run(x, y);
    } else {
        target.fill(0);
    }
    edit.finish(m_mode);
    return true;
}

} // namespace kv
