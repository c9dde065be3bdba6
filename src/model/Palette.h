#pragma once
#include "model/Color32.h"
#include "model/PaletteLookupTree.h"
#include "model/PixelArray.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kv {

class Palette;

// One color of a palette. Components hold at most 255; any change makes the
// owner's nearest-color lookup stale, so it is dropped at once.
class PaletteEntry {
  public:
    PaletteEntry() = default;
    PaletteEntry(const PaletteEntry&) = delete;
    PaletteEntry& operator=(const PaletteEntry&) = delete;

    Palette* owner() const { return m_owner; }
    std::int32_t index() const { return m_index; }
    std::int32_t a() const { return m_a; }
    std::int32_t r() const { return m_r; }
    std::int32_t g() const { return m_g; }
    std::int32_t b() const { return m_b; }
    Color32 color() const {
        return MakeColor32(static_cast<unsigned>(m_r), static_cast<unsigned>(m_g),
                           static_cast<unsigned>(m_b), static_cast<unsigned>(m_a));
    }

    void setA(std::int32_t value);
    void setR(std::int32_t value);
    void setG(std::int32_t value);
    void setB(std::int32_t value);
    void setArgb(std::int32_t a, std::int32_t r, std::int32_t g, std::int32_t b);
    void setColor(Color32 c) {
        setArgb(static_cast<std::int32_t>(AlphaOf(c)), static_cast<std::int32_t>(RedOf(c)),
                static_cast<std::int32_t>(GreenOf(c)), static_cast<std::int32_t>(BlueOf(c)));
    }

  private:
    friend class Palette;
    void changed();

    Palette* m_owner = nullptr;
    std::int32_t m_index = -1;
    std::int32_t m_a = 255;
    std::int32_t m_r = 0;
    std::int32_t m_g = 0;
    std::int32_t m_b = 0;
};

enum class StandardPalette { BlackAndWhite, Colors16 };

// The colors of a palette-format image, and the nearest-color lookup that
// maps composite pixels onto them. The lookup is built on first use after
// any change and dropped whenever an entry, the count or the current image
// changes.
class Palette {
  public:
    // Larger counts are refused as an allocation failure: no palette format
    // comes anywhere near, and the doubling must not overflow.
    static constexpr std::int32_t kMaxCapacity = 1 << 24;

    Palette() = default;
    ~Palette();
    Palette(const Palette&) = delete;
    Palette& operator=(const Palette&) = delete;

    std::int32_t count() const { return m_count; }
    std::int32_t capacity() const { return m_capacity; }
    // Grows the capacity by doubling and shrinks it by halving while a
    // quarter of it would still hold n; a new capacity replaces every entry
    // with opaque black. False (after the error box) when the array cannot
    // be allocated; the palette is then unchanged.
    bool setCount(std::int32_t n);
    void setStandard(StandardPalette which);
    PaletteEntry& entry(std::int32_t i) { return m_entries[static_cast<std::size_t>(i)]; }
    const PaletteEntry& entry(std::int32_t i) const {
        return m_entries[static_cast<std::size_t>(i)];
    }
    std::size_t memorySize() const { return 56 + 24 * static_cast<std::size_t>(m_capacity); }

    // Index of the entry that stands for `color`, or -1: pixels with alpha
    // below 128 take the transparent entry (an entry of alpha 0), the others
    // an opaque one found by the plane tree: the nearest, except for a small
    // share of colors lying between entries, which may get a slightly
    // farther one.
    std::int32_t lookup(Color32 color) {
        if (!m_lookupBuilt) buildLookup();
        if (AlphaOf(color) < 128) return m_transparentIndex;
        return m_tree.find(color);
    }
    // lookup() for n colors at once, the faster way for whole rows.
    void lookupMany(const Color32* colors, std::int32_t n, std::int32_t* indexes);
    void discardLookup();
    bool lookupBuilt() const { return m_lookupBuilt; }
    std::int32_t transparentIndex() const { return m_transparentIndex; }

    // Replaces the entries with at most maxColors colors quantized from the
    // pixels; false (after the error boxes) leaves the palette unchanged.
    bool generate(const PixelArray& pixels, std::int32_t maxColors);
    // Arranges the entries for display, dark to light along a short path.
    bool order();

  private:
    void buildLookup();

    std::int32_t m_count = 0;
    std::unique_ptr<PaletteEntry[]> m_entries;
    std::int32_t m_capacity = 0;
    bool m_lookupBuilt = false;
    PaletteLookupTree m_tree;
    std::int32_t m_transparentIndex = -1;
};

} // namespace kv
