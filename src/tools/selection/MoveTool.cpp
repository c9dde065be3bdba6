#include "tools/selection/MoveTool.h"

#include "editing/actions/ShiftAction.h"
#include "editing/records/LayerSnapshot.h"
#include "editing/records/SelectionSnapshot.h"
#include "editing/records/SnapshotRedraw.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "tools/framework/DragGeometry.h"
#include "tools/framework/PaintTarget.h"
#include "tools/framework/StatusText.h"
#include "tools/framework/StrokeProtocol.h"
#include "tools/framework/ToolHost.h"

#include <memory>

namespace kv {
namespace {

bool SelectionActive(const Image& image) {
    const Selection* selection = image.selection();
    return selection && selection->active();
}

// Both snapshots move by delta (the selection's only while a selection is
// active, since only then does it travel with the layer) and the layer and
// the selection are drawn again from them: in the tiles that changed when the
// drag's tiles know the drawing before, else whole, after which the drag's
// tiles learn it.
void ShiftSnapshots(Image& image, Layer& layer, Point delta, TiledMoveRedraw* tiles = nullptr) {
    const bool active = SelectionActive(image);
    const bool tiled = tiles && tiles->ready(image, layer);
    LayerSnapshot& layerSnapshot = LayerSnapshot::instance();
    SelectionSnapshot& selectionSnapshot = SelectionSnapshot::instance();
    const Point layerFrom = layerSnapshot.offset();
    const Point selectionFrom = selectionSnapshot.offset();
    layerSnapshot.setOffset(layerFrom + delta);
    if (active) selectionSnapshot.setOffset(selectionFrom + delta);
    Selection* selection = active ? image.selection() : nullptr;
    if (tiled) {
        tiles->redraw(image, layer, selection, layerFrom, selectionFrom);
        return;
    }
    RedrawLayerFromSnapshot(layer, active);
    if (active) RedrawSelectionFromSnapshot(*selection);
    if (tiles) tiles->begin(image, layer, selection);
}

// A move starts from snapshots whose offsets agree: the layer and the
// selection must travel together.
bool PrepareSnapshots(const Image& image) {
    if (SelectionActive(image) &&
        LayerSnapshot::instance().offset() != SelectionSnapshot::instance().offset())
        return EnsureSnapshots(image);
    return true;
}

// The Shift action must capture the snapshots as they were before the move:
// their offsets are set back while it is made.
std::unique_ptr<ShiftAction> MakeShiftAction(Image& image, Point done, const char* label) {
    const bool active = SelectionActive(image);
    LayerSnapshot& layerSnapshot = LayerSnapshot::instance();
    SelectionSnapshot& selectionSnapshot = SelectionSnapshot::instance();
    layerSnapshot.setOffset(layerSnapshot.offset() - done);
    if (active) selectionSnapshot.setOffset(selectionSnapshot.offset() - done);
    auto action = std::make_unique<ShiftAction>(image);
    action->setLabel(label);
    action->offset = done;
    layerSnapshot.setOffset(layerSnapshot.offset() + done);
    if (active) selectionSnapshot.setOffset(selectionSnapshot.offset() + done);
    return action;
}

Point Direction(int key) {
    switch (key) {
    case kKeyLeft:
        return {-1, 0};
    case kKeyUp:
        return {0, -1};
    case kKeyRight:
        return {1, 0};
    case kKeyDown:
        return {0, 1};
    default:
        return {};
    }
}

} // namespace

MoveTool::MoveTool(ToolHost& host, ToolSettings& settings) : Tool(ToolId::Move, host, settings) {}

ToolMode MoveTool::evaluateMode() const {
    return PaintableLayer(host().image()) ? ToolMode::Move : ToolMode::None;
}

void MoveTool::refreshMode() {
    const ToolMode mode = evaluateMode();
    if (mode == m_mode) return;
    m_mode = mode;
    updateHint();
}

void MoveTool::resume(ImagePoint p) {
    Tool::resume(p);
    refreshMode();
}

CursorRole MoveTool::getCursor(ImagePoint) {
    if (m_state == ToolState::Idle) refreshMode();
    const bool moving = m_state == ToolState::Idle || m_state == ToolState::Drag;
    return moving && m_mode == ToolMode::Move ? CursorRole::Move : CursorRole::Arrow;
}

void MoveTool::mouseMove(ImagePoint p) {
    m_current = p;
    if (m_state == ToolState::Drag) updateMove();
}

bool MoveTool::mouseDown(MouseButton button, ImagePoint p) {
    if (m_state != ToolState::Idle || button != MouseButton::Left) return false;
    const Image* image = host().image();
    m_offset = {};
    m_released = false;
    if (m_mode != ToolMode::Move || !image || !image->selection() || !PrepareSnapshots(*image)) {
        m_state = ToolState::NoEffect;
        return true;
    }
    m_state = ToolState::Drag;
    m_tiles.end();
    m_press = m_current = p;
    m_shift = host().modifierKeys().shift;
    return true;
}

void MoveTool::updateMove() {
    Image* image = host().image();
    Layer* layer = PaintableLayer(image);
    Point d{m_current.x - m_press.x, m_current.y - m_press.y};
    if (m_shift) d = ConstrainDirection(d);
    d = SnapToGrid(d, DragGridStep(image, host().zoom()));
    if (d == m_offset || !layer) return;
    ShiftSnapshots(*image, *layer, d - m_offset, &m_tiles);
    m_offset = d;
    host().setStatusText(StatusField::Size, OnDetailLayer(image) ? FractionalSizeText(d.x, d.y)
                                                                 : PixelSizeText(d.x, d.y));
    host().repaintView();
}

bool MoveTool::mouseUp(MouseButton button, ImagePoint) {
    if (button != MouseButton::Left) return false;
    if (m_state == ToolState::Drag) {
        m_released = true;
        if (m_offset != Point{} && host().image()) recordMove(*host().image());
    }
    return m_state == ToolState::Drag || m_state == ToolState::NoEffect;
}

void MoveTool::recordMove(Image& image) {
    auto action = MakeShiftAction(image, m_offset, "Move");
    image.update();
    RecordInHistory(image, std::move(action));
}

void MoveTool::endDrag() {
    const ToolState ended = m_state;
    m_state = ToolState::Idle;
    if (ended != ToolState::Drag) return;
    Image* image = host().image();
    if (!m_released && m_offset != Point{}) {
        if (Layer* layer = PaintableLayer(image))
            ShiftSnapshots(*image, *layer, Point{} - m_offset, &m_tiles);
        m_offset = {};
        host().repaintView();
    }
    m_tiles.end();
    host().setStatusText(StatusField::Size, {});
    if (image) host().refreshAfterEdit(*image);
}

bool MoveTool::rereadShift() {
    const bool shift = host().modifierKeys().shift;
    if (shift == m_shift) return false;
    m_shift = shift;
    return true;
}

bool MoveTool::nudge(Point direction) {
    Image* image = host().image();
    Layer* layer = PaintableLayer(image);
    if (!layer || !image->selection() || !PrepareSnapshots(*image)) return false;
    const std::int32_t step = LayerPixelUnits(layer->supersampled() ? kDetailLevel : 0);
    const Point d{direction.x * step, direction.y * step};
    auto action = MakeShiftAction(*image, {}, "Nudge");
    action->offset = d;
    ShiftSnapshots(*image, *layer, d);
    image->update();
    RecordInHistory(*image, std::move(action));
    host().repaintView();
    host().refreshAfterEdit(*image);
    return true;
}

bool MoveTool::keyDown(int key, bool) {
    if (m_state == ToolState::Idle && Direction(key) != Point{}) {
        // Handled even when there is nothing to nudge.
        nudge(Direction(key));
        return true;
    }
    return keyUp(key);
}

bool MoveTool::keyUp(int key) {
    if (m_state != ToolState::Drag || key < kKeyShift || key > kKeyAlt) return false;
    if (rereadShift()) {
        updateMove();
        updateHint();
    }
    return true;
}

void MoveTool::updateHint() {
    const char* hint = "";
    if (m_state == ToolState::Idle && m_mode == ToolMode::Move)
        hint =
            "Click and drag to move, or use the cursor keys to nudge the layer or the selection.";
    else if (m_state == ToolState::Drag && !m_shift)
        hint = "Use SHIFT to constrain the direction to multiples of 45 degrees.";
    host().setStatusText(StatusField::Hint, hint);
}

bool MoveTool::wantsAutoScroll() const {
    return m_state == ToolState::Drag;
}

} // namespace kv
