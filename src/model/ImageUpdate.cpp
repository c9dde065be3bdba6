// Image::update and the pictures it keeps in step: composite, palette,
// target preview and the two view caches.
#include "model/Image.h"

#include <algorithm>

namespace kv {

void Image::update(const Rect* rect) {
    if (m_updateLock > 0)
        return;
    const Rect area = rect ? *rect : bounds();
    flattenComposite(area);
    refreshPaletteAndPreview(area);
    rebuildCaches(area);
    if (m_selection)
        m_selection->followImage(*this);
    markModified();
}

void Image::flattenComposite(const Rect& rect) {
    const bool anyVisible = std::any_of(m_layers.begin(), m_layers.end(),
                                        [](const auto& layer) { return layer->visible(); });
    if (!anyVisible) {
        m_composite.fillRect(rect, 0);
        return;
    }
    // Seam: flattening visible layers arrives with the layer compositing module.
}

void Image::refreshPaletteAndPreview(const Rect& rect) {
    if (m_palette && !m_paletteLocked) {
        regeneratePalette();
        renderTargetPreview(bounds());
    } else {
        renderTargetPreview(rect);
    }
}

void Image::renderTargetPreview(const Rect& rect) {
    if (!m_targetPreview || m_targetPreview->isEmpty() || m_composite.isEmpty())
        return;
    const Rect r = rect.intersected(bounds());
    if (r.isEmpty())
        return;
    if (m_targetFormat == TargetFormat::Rgb24) {
        // 24-bit targets keep no partial transparency: alpha snaps at 128.
        for (std::int32_t y = r.top; y < r.bottom; ++y) {
            const Color32* src = m_composite.row(y);
            Color32* dst = m_targetPreview->row(y);
            for (std::int32_t x = r.left; x < r.right; ++x)
                dst[x] = WithAlpha(src[x], AlphaOf(src[x]) >= 128 ? 255 : 0);
        }
        return;
    }
    // Seam: palette formats preview through the nearest-color lookup, which
    // arrives with the palette module.
}

void Image::regeneratePalette() {
    // Seam: the quantizer generates and orders the palette; it arrives with
    // the palette module. Until then the palette keeps its entries.
}

void Image::rebuildCaches(const Rect& rect) {
    (void)rect;
    if (m_updateLock > 0)
        return;
    const std::size_t n = m_layers.size();
    const std::size_t wanted = n < 2 ? 0 : (n == 2 ? 1 : 2);
    for (std::size_t i = 0; i < m_caches.size(); ++i) {
        if (i < wanted && !m_caches[i])
            m_caches[i] = std::make_unique<PixelArray>(m_width, m_height);
        else if (i >= wanted)
            m_caches[i].reset();
    }
    m_validBelow = nullptr;
    m_validAbove = nullptr;
    // Seam: flattening the layers below and above the current layer into the
    // caches arrives with the layer compositing module.
}

} // namespace kv
