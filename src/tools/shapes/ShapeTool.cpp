#include "tools/shapes/ShapeTool.h"

#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "settings/UnsignedSetting.h"
#include "tools/framework/PaintTarget.h"
#include "tools/framework/StrokeProtocol.h"
#include "tools/framework/ToolHost.h"

#include <algorithm>

namespace kv {
namespace {

// The pixels of row y in `run` and in `clip`, painted in one colour at full
// strength (the mask byte under a selection).
void PaintRun(const PaintTarget& target, std::int32_t y, Span run, const Rect& clip,
              Color32 color) {
    const std::int32_t x0 = std::max(run.x0, clip.left), x1 = std::min(run.x1, clip.right);
    if (x0 >= x1) return;
    Color32* out = target.pixels->row(y);
    const std::uint8_t* m = target.mask ? target.mask->row(y) : nullptr;
    WithChannelMode(target.channelMode, [&](auto mode) {
        for (std::int32_t x = x0; x < x1; ++x) {
            const std::uint32_t a = m ? MaskedHardStrength(255, m[x]) : 255;
            if (a != 0) out[x] = PaintPixelAs<decltype(mode)::value>(out[x], color, a);
        }
    });
}

} // namespace

ShapeTool::ShapeTool(ToolId id, ToolHost& host, ToolSettings& settings,
                     std::span<const ToolOption> options, UnsignedSetting& type,
                     UnsignedSetting& width, const char* undoLabel, const char* paintHint)
    : PaintingTool(id, host, settings, CursorRole::Cross, paintHint), m_options(options),
      m_type(type), m_width(width), m_undoLabel(undoLabel), m_drag(host) {}

OptionsPanel ShapeTool::buildOptionsPanel() const {
    return {m_options};
}

ShapeType ShapeTool::shapeType() const {
    const std::uint32_t v = m_type.value();
    return v == 2 ? ShapeType::Outline : v == 3 ? ShapeType::FilledOutline : ShapeType::Solid;
}

std::int32_t ShapeTool::outlineWidth() const {
    return static_cast<std::int32_t>(std::clamp<std::uint32_t>(m_width.value(), 1, 100));
}

void ShapeTool::paintOverlay(OverlayCanvas& canvas) {
    if (m_state == ToolState::Drag) drawOutline(canvas, m_drag.rect());
}

bool ShapeTool::wantsAutoScroll() const {
    return m_state == ToolState::Drag;
}

void ShapeTool::startDrag(ImagePoint p) {
    m_drag.start(p);
    // The press point is the first pointer position of the drag: a click
    // alone covers the pixel under it where a grid step is one pixel.
    m_drag.moveTo(p);
}

void ShapeTool::dragTo(ImagePoint p) {
    m_drag.moveTo(p);
}

void ShapeTool::dragKeysChanged() {
    m_drag.rereadKeys();
}

const char* ShapeTool::dragHint() const {
    return "Use ALT and SHIFT for additional options.";
}

void ShapeTool::finishDrag() {
    Image* image = host().image();
    if (!image || !image->selection() || !image->currentLayer()) return;
    const std::optional<PaintTarget> target = PaintTarget::Of(image, host().channelMode());
    if (!target) {
        CommitSnapshots(*image);
        return;
    }
    const Rect units = m_drag.rect().intersected(target->boundsInUnits());
    if (units.isEmpty() || !BeginStroke(*image)) return;
    paint(*target, UnitsToLayerPixels(m_drag.rect(), target->level),
          UnitsToLayerPixels(units, target->level));
    target->refreshFromDetail(units);
    CommitStroke(*image, units, m_undoLabel);
}

void ShapeTool::paint(const PaintTarget& target, const Rect& shape, const Rect& visited) const {
    const ShapeType type = shapeType();
    const std::int32_t width = outlineWidth();
    const Color32 line = paintColor(), inside = otherColor();
    for (std::int32_t y = visited.top; y < visited.bottom; ++y) {
        const ShapeRow row = shapeRow(shape, width, y);
        if (type == ShapeType::Solid || row.inner.isEmpty()) {
            PaintRun(target, y, row.outer, visited, line);
            continue;
        }
        PaintRun(target, y, {row.outer.x0, row.inner.x0}, visited, line);
        PaintRun(target, y, {row.inner.x1, row.outer.x1}, visited, line);
        if (type == ShapeType::FilledOutline) PaintRun(target, y, row.inner, visited, inside);
    }
}

void ShapeTool::dragEnded() {
    host().invalidate(m_drag.rect());
    m_drag.clearSizeText();
    if (Image* image = host().image()) host().refreshAfterEdit(*image);
}

} // namespace kv
