#pragma once
#include "model/Color32.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kv {

struct PaletteEntry {
    std::int32_t index = -1;
    std::int32_t a = 255;
    std::int32_t r = 0;
    std::int32_t g = 0;
    std::int32_t b = 0;

    Color32 color() const { return MakeColor32(r, g, b, a); }
};

enum class StandardPalette { BlackAndWhite, Colors16 };

// The colors of a palette-format image. Nearest-color lookup and generation
// from the composite come with the quantizer; this holds the entries.
class Palette {
public:
    std::int32_t count() const { return m_count; }
    std::int32_t capacity() const { return static_cast<std::int32_t>(m_entries.size()); }
    // Grows by doubling, shrinks by halving while a quarter would still hold
    // n; a new capacity replaces the entries with opaque black ones.
    void setCount(std::int32_t n);
    void setStandard(StandardPalette which);
    PaletteEntry& entry(std::int32_t i) { return m_entries[static_cast<std::size_t>(i)]; }
    const PaletteEntry& entry(std::int32_t i) const { return m_entries[static_cast<std::size_t>(i)]; }
    std::size_t memorySize() const { return 56 + 24 * m_entries.size(); }

private:
    std::int32_t m_count = 0;
    std::vector<PaletteEntry> m_entries;
};

} // namespace kv
