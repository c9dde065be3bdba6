#include "tools/framework/RectangleDrag.h"

#include "tools/framework/StatusText.h"
#include "tools/framework/ToolHost.h"

namespace kv {

void RectangleDrag::start(ImagePoint p) {
    m_press = m_current = p;
    m_shape = {};
    m_rect = {p.x, p.y, p.x, p.y};
}

void RectangleDrag::moveTo(ImagePoint p) {
    m_current = p;
    recompute();
}

bool RectangleDrag::rereadKeys() {
    const ModifierKeys keys = m_host.modifierKeys();
    const DragShape shape{keys.shift, keys.alt};
    if (shape == m_shape) return false;
    m_shape = shape;
    recompute();
    return true;
}

void RectangleDrag::clearSizeText() {
    m_host.setStatusText(StatusField::Size, {});
}

void RectangleDrag::recompute() {
    Image* image = m_host.image();
    const Rect r = DragRectangle(m_press, m_current, m_shape, DragGridStep(image, m_host.zoom()));
    if (r == m_rect) return;
    m_host.invalidate(m_rect.united(r));
    m_rect = r;
    m_host.setStatusText(StatusField::Size, OnDetailLayer(image)
                                                ? FractionalDimensionsText(r.width(), r.height())
                                                : PixelDimensionsText(r.width(), r.height()));
}

} // namespace kv
