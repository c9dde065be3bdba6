#include "tools/text/TextRenderer.h"

#include "model/Selection.h"

#include <algorithm>
#include <limits>

namespace kv {
namespace {

TextRendererFactory& Factory() {
    static TextRendererFactory factory;
    return factory;
}

constexpr std::int32_t RoundUpTo8(std::int32_t v) {
    return (v + 7) & ~7;
}

} // namespace

TextRenderer::~TextRenderer() = default;

std::int32_t TextRenderer::MaxWidthFor(std::size_t limit, std::int32_t height) {
    // limit / (5.328125 x height) = 64 limit / (341 height), rounded.
    const auto h = static_cast<std::uint64_t>(height);
    const std::uint64_t width = (128 * std::uint64_t{limit} + 341 * h) / (682 * h);
    return static_cast<std::int32_t>(
        std::min<std::uint64_t>(width, std::numeric_limits<std::int32_t>::max()));
}

void TextRenderer::clear() {
    m_width = m_height = 0;
    for (MaskArray& mask : m_masks)
        mask.release();
}

void TextRenderer::release() {
    clear();
    m_surface.release();
}

void TextRenderer::render(const std::string& text) {
    clear();
    TextExtent extent;
    if (text.empty() || !measure(text, m_font, extent)) {
        m_surface.setSize(1, 1);
        return;
    }
    std::int32_t width = extent.width, height = extent.height;
    // An italic's last glyph keeps its overhang.
    if (extent.trailingBearing < 0) width -= extent.trailingBearing;
    if (width > 0 && height > 0 && m_memoryLimit > 0)
        width = std::min(width, MaxWidthFor(m_memoryLimit, height));
    if (width <= 0 || height <= 0) return;
    m_surface.setSize(RoundUpTo8(width), RoundUpTo8(height));
    if (m_surface.isEmpty()) return;
    m_surface.fill(MakeColor32(0, 0, 0, 255));
    if (!draw(text, m_font, m_surface)) return;
    m_width = width;
    m_height = height;
    if (!buildMasks()) clear();
}

bool TextRenderer::buildMasks() {
    MaskArray& full = m_masks[kLevels - 1];
    full.setSize(m_surface.width(), m_surface.height());
    if (full.isEmpty()) return false;
    full.fill(0);
    // One channel of the white-on-black drawing is the coverage; what lies
    // beyond the cut width stays uncovered.
    for (std::int32_t y = 0; y < m_height; ++y) {
        const Color32* s = m_surface.row(y);
        std::uint8_t* d = full.row(y);
        for (std::int32_t x = 0; x < m_width; ++x)
            d[x] = static_cast<std::uint8_t>(GreenOf(s[x]));
    }
    for (int level = kLevels - 2; level >= 0; --level) {
        const MaskArray& above = m_masks[static_cast<std::size_t>(level) + 1];
        MaskArray& mask = m_masks[static_cast<std::size_t>(level)];
        mask.setSize(above.width() / 2, above.height() / 2);
        if (mask.isEmpty()) return false;
        ReduceMaskTwice(above, mask, mask.bounds());
    }
    return true;
}

void SetTextRendererFactory(TextRendererFactory factory) {
    Factory() = std::move(factory);
}

std::unique_ptr<TextRenderer> CreateTextRenderer() {
    return Factory() ? Factory()() : nullptr;
}

} // namespace kv
