// Image::update and the pictures it keeps in step: composite, palette,
// target preview and the two view caches.
#include "model/Image.h"

#include "model/Flattener.h"

#include <algorithm>
#include <vector>

namespace kv {

void Image::update(const Rect* rect) {
    if (m_updateLock > 0) return;
    const Rect area = rect && !m_fullUpdatePending ? *rect : bounds();
    // Stays set if a step throws, so the next update redoes the whole image.
    m_fullUpdatePending = true;
    flattenComposite(area);
    refreshPaletteAndPreview(area);
    rebuildCaches(area);
    if (m_selection) m_selection->followImage(*this);
    m_fullUpdatePending = false;
    markModified();
}

void Image::flattenComposite(const Rect& rect) {
    const Rect area = rect.intersected(bounds());
    if (m_layers.empty() || !Flatten(m_composite, area, *m_layers.front(), *m_layers.back()))
        m_composite.fillRect(area, 0);
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
    if (!m_targetPreview || m_targetPreview->isEmpty() || m_composite.isEmpty()) return;
    const Rect r = rect.intersected(bounds());
    if (r.isEmpty()) return;
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
    if (!m_palette) { // its creation failed: nothing to show
        m_targetPreview->fillRect(r, 0);
        return;
    }
    // Palette formats: each pixel shows the entry the lookup picks for it
    // (with that entry's alpha), or transparent black when none fits.
    Palette& palette = *m_palette;
    std::vector<Color32> colors(static_cast<std::size_t>(palette.count()) + 1, 0);
    for (std::int32_t i = 0; i < palette.count(); ++i)
        colors[static_cast<std::size_t>(i) + 1] = palette.entry(i).color();
    std::vector<std::int32_t> indexes(static_cast<std::size_t>(r.width()));
    for (std::int32_t y = r.top; y < r.bottom; ++y) {
        palette.lookupMany(m_composite.row(y) + r.left, r.width(), indexes.data());
        Color32* dst = m_targetPreview->row(y) + r.left;
        for (std::int32_t x = 0; x < r.width(); ++x)
            dst[x] = colors[static_cast<std::size_t>(indexes[static_cast<std::size_t>(x)] + 1)];
    }
}

void Image::regeneratePalette() {
    if (!m_palette || m_paletteLocked || m_updateLock > 0) return;
    std::int32_t maxColors = 256;
    if (m_targetFormat == TargetFormat::Mono)
        maxColors = 2;
    else if (m_targetFormat == TargetFormat::Palette4)
        maxColors = 16;
    if (m_palette->generate(m_composite, maxColors)) m_palette->order();
}

namespace {

bool AnyVisible(const LayerBase& bottom, const LayerBase& top) {
    for (const LayerBase* layer = &bottom; layer; layer = layer == &top ? nullptr : layer->above())
        if (layer->visible()) return true;
    return false;
}

} // namespace

void Image::rebuildCaches(const Rect& rect) {
    if (m_updateLock > 0) return;
    const std::size_t n = m_layers.size();
    const std::size_t wanted = n < 2 ? 0 : (n == 2 ? 1 : 2);
    bool created = false;
    for (std::size_t i = 0; i < m_caches.size(); ++i) {
        if (i < wanted && !m_caches[i]) {
            m_caches[i] = std::make_unique<PixelArray>(m_width, m_height);
            created = true;
        } else if (i >= wanted) {
            m_caches[i].reset();
        }
    }
    const PixelArray* previousBelow = m_validBelow;
    const PixelArray* previousAbove = m_validAbove;
    m_validBelow = nullptr;
    m_validAbove = nullptr;
    if (!m_currentLayer) return;

    // Which cache holds which picture: below takes the first when there is
    // anything visible below; above takes the next free one.
    const LayerBase* under = m_currentLayer->below();
    const LayerBase* over = m_currentLayer->above();
    const bool belowShown = under && AnyVisible(*bottomLayer(), *under);
    const bool aboveShown = over && AnyVisible(*over, *topLayer());
    PixelArray* belowCache = belowShown ? m_caches[0].get() : nullptr;
    PixelArray* aboveCache = aboveShown ? m_caches[belowShown ? 1 : 0].get() : nullptr;

    // A cache that is new or now holds the other picture is stale outside the
    // rectangle as well.
    const bool restage = created || belowCache != previousBelow || aboveCache != previousAbove;
    const Rect area = restage ? bounds() : rect.intersected(bounds());
    if (belowCache && Flatten(*belowCache, area, *bottomLayer(), *under)) m_validBelow = belowCache;
    if (aboveCache && Flatten(*aboveCache, area, *over, *topLayer())) m_validAbove = aboveCache;
}

} // namespace kv
