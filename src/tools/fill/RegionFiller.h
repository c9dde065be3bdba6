#pragma once
#include "model/Geometry.h"
#include "model/MaskArray.h"
#include "model/PixelArray.h"
#include "tools/framework/PaintPixel.h"

#include <cstdint>

namespace kv {

// Grows the four-way connected region of pixels similar to a seed pixel, one
// horizontal run at a time. Similar means every compared channel lies within
// the tolerance of the seed's: in the normal view alpha and the colour
// premultiplied by alpha (so all fully transparent pixels are alike), in the
// colour-only view red, green and blue as stored, in the alpha-only view
// alpha alone. Matching is always tested on the source, so the order in which
// runs are taken cannot change the region.
class RegionFiller {
  public:
    // The region mask must have the source's size.
    RegionFiller(const PixelArray& source, MaskArray& region, ChannelMode comparison,
                 std::uint32_t tolerance);

    // Writes 255 for the region around (x, y) and 0 everywhere else, and
    // answers the region's bounds. A seed outside the source (or a mask of
    // another size) changes nothing and gives the empty (x, y, x, y).
    Rect run(std::int32_t x, std::int32_t y);

  private:
    template <class Match> Rect grow(const Match& match, std::int32_t x, std::int32_t y);

    const PixelArray& m_source;
    MaskArray& m_region;
    ChannelMode m_comparison;
    std::uint32_t m_tolerance;
};

} // namespace kv
