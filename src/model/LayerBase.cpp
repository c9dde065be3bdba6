#include "model/LayerBase.h"

#include "model/Image.h"

#include <cstdio>

namespace kv {

LayerBase::~LayerBase() = default;

void LayerBase::fitToImage() {
    if (m_owner)
        setSize(m_owner->width(), m_owner->height());
    else
        setSize(0, 0);
}

void LayerBase::setSize(std::int32_t width, std::int32_t height) {
    if (width == m_width && height == m_height && m_pixels.width() == width &&
        m_pixels.height() == height)
        return;
    m_pixels.setSize(width, height);
    m_pixels.fill(0);
    m_width = width;
    m_height = height;
}

void LayerBase::refreshFromDetail(const Rect*) {}

void LayerBase::render(PixelArray& view, const Rect& clip, Point origin, int zoom,
                       RenderOperation operation) const {
    RenderWithOpacity(view, clip, origin, zoom, m_pixels, operation, m_opacity);
}

std::size_t LayerBase::memorySize() const {
    return 108 + m_pixels.memorySize();
}

LayerBase* LayerBase::below() const {
    return m_owner && m_position > 1 ? m_owner->layerAt(m_position - 1) : nullptr;
}

LayerBase* LayerBase::above() const {
    return m_owner ? m_owner->layerAt(m_position + 1) : nullptr;
}

std::string LayerBase::displayName() const {
    if (!m_name.empty()) return m_name.substr(0, 255);
    char text[256];
    std::snprintf(text, sizeof text, "%s %d", typeName(), static_cast<int>(m_nameNumber));
    return text;
}

} // namespace kv
