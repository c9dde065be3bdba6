#include "tools/fill/RegionFiller.h"

#include "model/FixedPoint.h"
#include "tools/fill/SeedStack.h"

namespace kv {
namespace {

constexpr bool Within(unsigned a, unsigned b, unsigned tolerance) {
    return (a > b ? a - b : b - a) <= tolerance;
}

// The seed's comparison values and the test of one pixel against them, one
// kind per comparison mode so that the row walks pick theirs once.
template <ChannelMode M> class SimilarTo {
  public:
    SimilarTo(Color32 seed, unsigned tolerance) : m_seed(seed), m_tolerance(tolerance) {
        m_alpha = AlphaOf(seed);
        m_red = channel(RedOf(seed), m_alpha);
        m_green = channel(GreenOf(seed), m_alpha);
        m_blue = channel(BlueOf(seed), m_alpha);
    }

    bool operator()(Color32 c) const {
        if (c == m_seed) return true;
        const unsigned a = AlphaOf(c);
        if constexpr (M != ChannelMode::ColorOnly)
            if (!Within(a, m_alpha, m_tolerance)) return false;
        if constexpr (M == ChannelMode::AlphaOnly) {
            return true;
        } else {
            return Within(channel(RedOf(c), a), m_red, m_tolerance) &&
                   Within(channel(GreenOf(c), a), m_green, m_tolerance) &&
                   Within(channel(BlueOf(c), a), m_blue, m_tolerance);
        }
    }

  private:
    // The normal view compares colours premultiplied by alpha.
    static unsigned channel(unsigned c, unsigned a) {
        if constexpr (M == ChannelMode::Normal)
            return Div255(c * a);
        else
            return c;
    }

    Color32 m_seed;
    unsigned m_tolerance;
    unsigned m_alpha = 0, m_red = 0, m_green = 0, m_blue = 0;
};

// At tolerance 255 no channel can differ by more: every pixel matches.
struct AnyPixel {
    bool operator()(Color32) const { return true; }
};

} // namespace

RegionFiller::RegionFiller(const PixelArray& source, MaskArray& region, ChannelMode comparison,
                           std::uint32_t tolerance)
    : m_source(source), m_region(region), m_comparison(comparison), m_tolerance(tolerance) {}

Rect RegionFiller::run(std::int32_t x, std::int32_t y) {
    if (!m_source.bounds().contains(x, y) || m_region.width() != m_source.width() ||
        m_region.height() != m_source.height())
        return {x, y, x, y};
    const Color32 seed = m_source.get(x, y);
    if (m_tolerance >= 255) return grow(AnyPixel{}, x, y);
    switch (m_comparison) {
    case ChannelMode::ColorOnly:
        return grow(SimilarTo<ChannelMode::ColorOnly>(seed, m_tolerance), x, y);
    case ChannelMode::AlphaOnly:
        return grow(SimilarTo<ChannelMode::AlphaOnly>(seed, m_tolerance), x, y);
    default:
        return grow(SimilarTo<ChannelMode::Normal>(seed, m_tolerance), x, y);
    }
}

template <class Match> Rect RegionFiller::grow(const Match& match, std::int32_t x, std::int32_t y) {
    const std::int32_t width = m_source.width(), height = m_source.height();
    Rect bounds{x, y, x, y};
    m_region.fill(0);
    SeedStack seeds;
    // Pushes the first pixel of every matching run of [xl, xr] in row y that
    // is not filled yet. A filled pixel matches (the seed matches itself), so
    // it needs no test.
    const auto scan = [&](std::int32_t xl, std::int32_t xr, std::int32_t row) {
        const Color32* s = m_source.row(row);
        const std::uint8_t* o = m_region.row(row);
        bool inRun = false;
        for (std::int32_t i = xl; i <= xr; ++i) {
            const bool matches = o[i] != 0 || match(s[i]);
            if (matches && !inRun && o[i] == 0) seeds.push(i, row);
            inRun = matches;
        }
    };
    seeds.push(x, y);
    std::int32_t px = 0, py = 0;
    while (seeds.pop(px, py)) {
        const Color32* s = m_source.row(py);
        std::uint8_t* o = m_region.row(py);
        if (o[px] != 0) continue;
        o[px] = 255;
        std::int32_t xl = px, xr = px;
        while (xl > 0 && match(s[xl - 1]))
            o[--xl] = 255;
        while (xr + 1 < width && match(s[xr + 1]))
            o[++xr] = 255;
        if (py > 0) scan(xl, xr, py - 1);
        if (py + 1 < height) scan(xl, xr, py + 1);
        bounds.left = std::min(bounds.left, xl);
        bounds.right = std::max(bounds.right, xr + 1);
        bounds.top = std::min(bounds.top, py);
        bounds.bottom = std::max(bounds.bottom, py + 1);
    }
    return bounds;
}

} // namespace kv
