#include "model/Palette.h"

#include "model/ColorQuantizer.h"
#include "model/PaletteOrdering.h"
#include "platform/ErrorReporter.h"

#include <algorithm>
#include <array>
#include <new>
#include <vector>

namespace kv {

void PaletteEntry::changed() {
    if (m_owner) m_owner->discardLookup();
}

void PaletteEntry::setA(std::int32_t value) {
    m_a = std::min(value, 255);
    changed();
}

void PaletteEntry::setR(std::int32_t value) {
    m_r = std::min(value, 255);
    changed();
}

void PaletteEntry::setG(std::int32_t value) {
    m_g = std::min(value, 255);
    changed();
}

void PaletteEntry::setB(std::int32_t value) {
    m_b = std::min(value, 255);
    changed();
}

void PaletteEntry::setArgb(std::int32_t a, std::int32_t r, std::int32_t g, std::int32_t b) {
    m_a = std::min(a, 255);
    m_r = std::min(r, 255);
    m_g = std::min(g, 255);
    m_b = std::min(b, 255);
    changed();
}

Palette::~Palette() = default;

bool Palette::setCount(std::int32_t n) {
    if (n == m_count) return true;
    if (n < 0 || n > kMaxCapacity) {
        ReportError("Palette array allocation failed");
        return false;
    }
    discardLookup();
    std::int64_t c = m_capacity;
    while (c < n)
        c = c < 1 ? 1 : 2 * c;
    while ((c + 3) / 4 > n)
        c /= 2;
    if (c > kMaxCapacity) {
        ReportError("Palette array allocation failed");
        return false;
    }
    if (c != m_capacity) {
        std::unique_ptr<PaletteEntry[]> fresh(new (std::nothrow)
                                                  PaletteEntry[static_cast<std::size_t>(c)]);
        if (!fresh && c > 0) {
            ReportError("Palette array allocation failed");
            return false;
        }
        m_entries = std::move(fresh);
        m_capacity = static_cast<std::int32_t>(c);
    }
    for (std::int32_t i = 0; i < m_capacity; ++i) {
        m_entries[static_cast<std::size_t>(i)].m_owner = this;
        m_entries[static_cast<std::size_t>(i)].m_index = i;
    }
    m_count = n;
    return true;
}

void Palette::setStandard(StandardPalette which) {
    static constexpr std::array<Color32, 16> k16 = {
        MakeColor32(0, 0, 0, 255),       MakeColor32(128, 0, 0, 255),
        MakeColor32(0, 128, 0, 255),     MakeColor32(128, 128, 0, 255),
        MakeColor32(0, 0, 128, 255),     MakeColor32(128, 0, 128, 255),
        MakeColor32(0, 128, 128, 255),   MakeColor32(128, 128, 128, 255),
        MakeColor32(192, 192, 192, 255), MakeColor32(255, 0, 0, 255),
        MakeColor32(0, 255, 0, 255),     MakeColor32(255, 255, 0, 255),
        MakeColor32(0, 0, 255, 255),     MakeColor32(255, 0, 255, 255),
        MakeColor32(0, 255, 255, 255),   MakeColor32(255, 255, 255, 255),
    };
    static constexpr std::array<Color32, 2> kMono = {MakeColor32(0, 0, 0, 255),
                                                     MakeColor32(255, 255, 255, 255)};
    auto apply = [this](const auto& colors) {
        if (!setCount(static_cast<std::int32_t>(colors.size()))) return;
        for (std::size_t i = 0; i < colors.size(); ++i)
            m_entries[i].setColor(colors[i]);
    };
    if (which == StandardPalette::BlackAndWhite)
        apply(kMono);
    else
        apply(k16);
}

void Palette::discardLookup() {
    m_tree.clear();
    m_transparentIndex = -1;
    m_lookupBuilt = false;
}

void Palette::lookupMany(const Color32* colors, std::int32_t n, std::int32_t* indexes) {
    if (!m_lookupBuilt) buildLookup();
    m_tree.findMany(colors, n, indexes);
    for (std::int32_t i = 0; i < n; ++i)
        if (AlphaOf(colors[i]) < 128) indexes[i] = m_transparentIndex;
}

void Palette::buildLookup() {
    // A failed build still counts as built: lookups answer -1 until the next
    // change instead of retrying (and reporting) for every pixel.
    m_lookupBuilt = true;
    std::vector<Color32> colors;
    try {
        colors.resize(static_cast<std::size_t>(m_count));
    } catch (const std::bad_alloc&) {
        ReportError("Temporary palette data allocation failed");
        return;
    }
    for (std::int32_t i = 0; i < m_count; ++i)
        colors[static_cast<std::size_t>(i)] = entry(i).color();
    if (!m_tree.build(colors.data(), m_count, m_transparentIndex)) m_transparentIndex = -1;
}

bool Palette::generate(const PixelArray& pixels, std::int32_t maxColors) {
    std::vector<Color32> colors;
    if (!QuantizeColors(pixels, maxColors, colors)) return false;
    if (!setCount(static_cast<std::int32_t>(colors.size()))) return false;
    for (std::size_t i = 0; i < colors.size(); ++i)
        m_entries[i].setColor(colors[i]);
    return true;
}

bool Palette::order() {
    std::vector<Color32> colors;
    try {
        colors.resize(static_cast<std::size_t>(m_count));
    } catch (const std::bad_alloc&) {
        ReportError("Palette ordering failed");
        return false;
    }
    for (std::int32_t i = 0; i < m_count; ++i)
        colors[static_cast<std::size_t>(i)] = entry(i).color();
    if (!OrderPaletteColors(colors)) return false;
    for (std::int32_t i = 0; i < m_count; ++i)
        entry(i).setColor(colors[static_cast<std::size_t>(i)]);
    return true;
}

} // namespace kv
