#pragma once
#include "model/PixelArray.h"

#include <array>

namespace kv {

// The detail levels of a supersampled layer: 2x, 4x and 8x its size. The 8x
// level is the one painted; level 0 (the layer's own pixels) and the 2x and 4x
// levels are reduced from it.
class SupersampleSet {
  public:
    static constexpr int kLevels = 3;
    static constexpr int kFactor = 8;

    SupersampleSet(PixelArray* level0, std::int32_t width, std::int32_t height);

    // Resizes the three levels; their contents are not cleared.
    void setSize(std::int32_t width, std::int32_t height);
    // Each level from the one below it, every pixel into a 2x2 block.
    void replicateFromLevel0();

    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    // 0 is the layer's own pixels, 1..3 are 2x, 4x, 8x.
    PixelArray& level(int index) { return index == 0 ? *m_level0 : m_levels[index - 1]; }
    const PixelArray& level(int index) const {
        return index == 0 ? *m_level0 : m_levels[index - 1];
    }
    PixelArray& detail() { return m_levels[kLevels - 1]; }
    const PixelArray& detail() const { return m_levels[kLevels - 1]; }
    std::size_t levelsMemorySize() const;

  private:
    std::int32_t m_width;
    std::int32_t m_height;
    PixelArray* m_level0;
    std::array<PixelArray, kLevels> m_levels;
};

// dst (2w x 2h) gets every pixel of src (w x h) as a 2x2 block.
void ReplicateTwice(const PixelArray& src, PixelArray& dst);

} // namespace kv
