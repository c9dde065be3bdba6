#include "editing/records/LayerSnapshot.h"

#include "model/Layer.h"

namespace kv {

LayerSnapshot& LayerSnapshot::instance() {
    static LayerSnapshot snapshot;
    return snapshot;
}

PixelArray& EditablePixelsOf(LayerBase& layer) {
    if (auto* raster = dynamic_cast<Layer*>(&layer)) return raster->editablePixels();
    return layer.pixels();
}

const PixelArray& EditablePixelsOf(const LayerBase& layer) {
    if (const auto* raster = dynamic_cast<const Layer*>(&layer)) return raster->editablePixels();
    return layer.pixels();
}

bool LayerSnapshot::take(const LayerBase& layer) {
    const PixelArray& source = EditablePixelsOf(layer);
    m_offset = {};
    m_width = layer.width();
    m_height = layer.height();
    m_level = layer.supersamplingFactor();
    // Same size keeps the block, so repeated commits do not reallocate.
    m_pixels.setSize(source.width(), source.height());
    if (source.isEmpty()) {
        m_pixels.release();
        return true;
    }
    if (m_pixels.isEmpty()) {
        m_width = m_height = 0;
        return false;
    }
    CopyRaster(m_pixels, 0, 0, source);
    return true;
}

bool LayerSnapshot::matches(const LayerBase& layer) const {
    const PixelArray& source = EditablePixelsOf(layer);
    return m_offset == Point{} && m_width == layer.width() && m_height == layer.height() &&
           m_level == layer.supersamplingFactor() && m_pixels.width() == source.width() &&
           m_pixels.height() == source.height();
}

bool LayerSnapshot::prepare(std::int32_t width, std::int32_t height, int level) {
    m_offset = {};
    m_width = width;
    m_height = height;
    m_level = level;
    m_pixels.setSize(width << level, height << level);
    if (m_pixels.isEmpty() && width > 0 && height > 0) {
        release();
        return false;
    }
    return true;
}

void LayerSnapshot::release() {
    m_pixels.release();
    m_width = m_height = 0;
    m_level = 0;
    m_offset = {};
}

} // namespace kv
