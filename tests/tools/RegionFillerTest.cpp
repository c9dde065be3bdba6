// The region filler against a plain breadth-first reference on random
// pictures, and the comparison rules of the three channel modes.
#include "tools/fill/RegionFiller.h"
#include "ToolTestSupport.h"
#include "model/FixedPoint.h"
#include "tools/fill/SeedStack.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <random>

namespace kv {
namespace {
using namespace test;

// The largest channel difference the mode compares, written straight from
// the rule rather than from the filler's code.
int Distance(Color32 a, Color32 b, ChannelMode mode) {
    const bool normal = mode == ChannelMode::Normal;
    const auto channel = [&](Color32 c, int shift) { // premultiplied in the normal view
        const unsigned v = (c >> shift) & 255;
        return normal ? static_cast<int>((v * AlphaOf(c) * 65793u + 8388608u) >> 24) : int(v);
    };
    const int da = std::abs(int(AlphaOf(a)) - int(AlphaOf(b)));
    if (mode == ChannelMode::AlphaOnly) return da;
    int d = normal ? da : 0;
    for (const int shift : {0, 8, 16})
        d = std::max(d, std::abs(channel(a, shift) - channel(b, shift)));
    return d;
}

MaskArray ReferenceRegion(const PixelArray& a, Point seed, ChannelMode mode, int tolerance) {
    MaskArray region(a.width(), a.height());
    region.fill(0);
    const Color32 s = a.get(seed.x, seed.y);
    std::deque<Point> queue{seed};
    region.set(seed.x, seed.y, 255);
    while (!queue.empty()) {
        const Point p = queue.front();
        queue.pop_front();
        for (const Point d : {Point{1, 0}, Point{-1, 0}, Point{0, 1}, Point{0, -1}}) {
            const Point q = p + d;
            if (!a.bounds().contains(q.x, q.y) || region.get(q.x, q.y)) continue;
            if (Distance(a.get(q.x, q.y), s, mode) > tolerance) continue;
            region.set(q.x, q.y, 255);
            queue.push_back(q);
        }
    }
    return region;
}

Rect BoundsOf(const MaskArray& m) {
    Rect r;
    for (std::int32_t y = 0; y < m.height(); ++y)
        for (std::int32_t x = 0; x < m.width(); ++x)
            if (m.get(x, y)) r.unite({x, y, x + 1, y + 1});
    return r;
}

TEST(RegionFiller, MatchesABreadthFirstFillOnRandomPictures) {
    std::mt19937 rng(16);
    // Few colours with small variations, so that regions are large and
    // irregular and tolerances matter.
    const Color32 palette[] = {MakeColor32(10, 200, 30, 255), MakeColor32(12, 198, 35, 250),
                               MakeColor32(200, 0, 0, 0),     MakeColor32(0, 90, 0, 0),
                               MakeColor32(10, 200, 30, 128), MakeColor32(240, 240, 240, 255)};
    for (int round = 0; round < 120; ++round) {
        const std::int32_t w = 1 + rng() % 40, h = 1 + rng() % 40;
        PixelArray a(w, h);
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x)
                a.set(x, y, palette[rng() % (rng() % 2 ? 2 : 6)]);
        const Point seed{static_cast<std::int32_t>(rng() % w),
                         static_cast<std::int32_t>(rng() % h)};
        const auto mode = static_cast<ChannelMode>(rng() % 3);
        const int tolerance = std::array{0, 2, 5, 128, 200, 255}[rng() % 6];
        SCOPED_TRACE(::testing::Message()
                     << "round " << round << " mode " << int(mode) << " tolerance " << tolerance);
        MaskArray region(w, h);
        region.fill(77);
        const Rect bounds = RegionFiller(a, region, mode, tolerance).run(seed.x, seed.y);
        const MaskArray expected = ReferenceRegion(a, seed, mode, tolerance);
        ASSERT_TRUE(region.sameContents(expected));
        EXPECT_EQ(bounds, BoundsOf(expected));
    }
}

TEST(RegionFiller, ASeedOutsideChangesNothing) {
    PixelArray a(3, 3);
    a.fill(kWhite);
    MaskArray region(3, 3);
    region.fill(9);
    EXPECT_TRUE(RegionFiller(a, region, ChannelMode::Normal, 0).run(3, 1).isEmpty());
    EXPECT_TRUE(RegionFiller(a, region, ChannelMode::Normal, 0).run(-1, 0).isEmpty());
    EXPECT_EQ(region.get(1, 1), 9);
}

} // namespace
} // namespace kv
