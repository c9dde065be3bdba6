#include "tools/selection/SelectionTool.h"

#include "model/Image.h"
#include "settings/UnsignedSetting.h"
#include "tools/framework/OverlayCanvas.h"
#include "tools/framework/ToolHost.h"
#include "tools/framework/ToolSettings.h"
#include "tools/selection/SelectionEdit.h"
#include "tools/shapes/InscribedEllipse.h"

#include <algorithm>
#include <cstring>

namespace kv {
namespace {

constexpr const char* kShapes[] = {"Rectangular", "Elliptical"};
constexpr ToolOption kOptions[] = {
    {"Shape:", kSelectorShapeSetting, OptionKind::PictureButtons, 1, 2, kShapes},
};

constexpr std::uint32_t kElliptical = 2;

// The target rewritten: 255 inside the rectangle or its inscribed ellipse, 0
// elsewhere.
void DrawRegion(MaskArray& target, const Rect& r, bool elliptical) {
    target.fill(0);
    if (r.isEmpty()) return;
    if (!elliptical) {
        target.fillRect(r, 255);
        return;
    }
    const InscribedEllipse ellipse(r);
    const std::int32_t top = std::max(r.top, 0), bottom = std::min(r.bottom, target.height());
    for (std::int32_t y = top; y < bottom; ++y) {
        const Span span = ellipse.row(y);
        const std::int32_t x0 = std::max(span.x0, 0), x1 = std::min(span.x1, target.width());
        if (x0 < x1) std::memset(target.row(y) + x0, 255, static_cast<std::size_t>(x1 - x0));
    }
}

} // namespace

SelectionTool::SelectionTool(ToolHost& host, ToolSettings& settings)
    : Tool(ToolId::Selection, host, settings), m_drag(host) {}

OptionsPanel SelectionTool::buildOptionsPanel() const {
    return {kOptions};
}

bool SelectionTool::elliptical() const {
    return settings().selectorShape.value() == kElliptical;
}

ToolMode SelectionTool::evaluateMode() const {
    if (!host().image()) return ToolMode::None;
    return CombinationFromKeys(host().modifierKeys());
}

void SelectionTool::refreshMode() {
    const ToolMode mode = evaluateMode();
    if (mode == m_mode) return;
    m_mode = mode;
    updateHint();
}

void SelectionTool::resume(ImagePoint p) {
    Tool::resume(p);
    refreshMode();
}

CursorRole SelectionTool::getCursor(ImagePoint) {
    if (m_state == ToolState::Idle) refreshMode();
    if (m_state == ToolState::NoEffect) return CursorRole::Arrow;
    return SelectionCursor(m_mode, false);
}

void SelectionTool::mouseMove(ImagePoint p) {
    if (m_state == kPressed && p != m_drag.press()) m_state = kDragging;
    if (m_state == kDragging) m_drag.moveTo(p);
}

bool SelectionTool::mouseDown(MouseButton button, ImagePoint p) {
    if (m_state != ToolState::Idle || button != MouseButton::Left) return false;
    m_edited = nullptr;
    if (m_mode == ToolMode::None) {
        m_state = ToolState::NoEffect;
        return true;
    }
    m_state = kPressed;
    m_drag.start(p);
    return true;
}

bool SelectionTool::mouseUp(MouseButton button, ImagePoint) {
    if (button != MouseButton::Left || m_state == ToolState::Idle) return false;
    Image* image = host().image();
    if (image && image->selection()) {
        if (m_state == kPressed && DeselectByTool(*image)) m_edited = image;
        if (m_state == kDragging) select(*image);
    }
    return true;
}

void SelectionTool::endDrag() {
    const ToolState ended = m_state;
    m_state = ToolState::Idle;
    if (ended == kDragging) {
        host().invalidate(m_drag.rect());
        m_drag.clearSizeText();
    }
    host().repaintView();
    if (m_edited) host().refreshAfterEdit(*m_edited);
    m_edited = nullptr;
}

void SelectionTool::select(Image& image) {
    SelectionEdit edit(image, "Select", OnDetailLayer(&image));
    if (!edit.ready()) return;
    const int shift = edit.detail() ? 5 : 8;
    const Rect& units = m_drag.rect();
    const Rect r{units.left >> shift, units.top >> shift, units.right >> shift,
                 units.bottom >> shift};
    DrawRegion(edit.target(), r, elliptical());
    edit.finish(m_mode);
    m_edited = &image;
}

bool SelectionTool::modifierKey(int key, bool repeat) {
    if (m_state == ToolState::Idle) return handleModifierKey(key);
    if (key < kKeyShift || key > kKeyAlt) return false;
    if ((m_state == kPressed || m_state == kDragging) && !repeat) m_drag.rereadKeys();
    return true;
}

bool SelectionTool::keyDown(int key, bool repeat) {
    return modifierKey(key, repeat);
}

bool SelectionTool::keyUp(int key) {
    return modifierKey(key, false);
}

void SelectionTool::paintOverlay(OverlayCanvas& canvas) {
    if (m_state != kDragging) return;
    if (elliptical())
        canvas.ellipse(m_drag.rect());
    else
        canvas.rectangle(m_drag.rect());
}

void SelectionTool::updateHint() {
    const char* hint = "";
    if (m_state == ToolState::Idle) {
        switch (m_mode) {
        case ToolMode::Replace:
            hint = "Click and drag to select a region. Use ALT and SHIFT for additional options.";
            break;
        case ToolMode::Add:
            hint = "Click and drag to add a region to the selection.";
            break;
        case ToolMode::Subtract:
            hint = "Click and drag to subtract a region from the selection.";
            break;
        case ToolMode::Intersect:
            hint = "Click and drag to intersect the selection with a region.";
            break;
        default:
            break;
        }
    } else if (m_state == kPressed || m_state == kDragging) {
        hint = "Use ALT and SHIFT for additional options.";
    }
    host().setStatusText(StatusField::Hint, hint);
}

bool SelectionTool::wantsAutoScroll() const {
    return m_state == kDragging;
}

} // namespace kv
