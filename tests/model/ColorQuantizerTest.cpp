#include "model/ColorQuantizer.h"
#include "model/ColorOctree.h"
#include "model/Palette.h"
#include "model/PaletteOrdering.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

namespace kv {
namespace {

PixelArray Raster(std::int32_t w, std::int32_t h,
                  const std::function<Color32(std::int32_t, std::int32_t)>& pixel) {
    PixelArray a(w, h);
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x)
            a.set(x, y, pixel(x, y));
    return a;
}

// 300 distinct opaque colors, optionally with a few translucent pixels.
PixelArray ThreeHundredColors(bool withTransparency) {
    return Raster(20, 16, [&](std::int32_t x, std::int32_t y) {
        const std::int32_t i = y * 20 + x;
        if (i >= 300)
            return withTransparency ? MakeColor32(9, 9, 9, 100) : MakeColor32(0, 0, 0, 255);
        return MakeColor32(static_cast<unsigned>(i % 7) * 40, static_cast<unsigned>(i / 7 % 7) * 40,
                           static_cast<unsigned>(i / 49) * 40, 255);
    });
}

std::vector<Color32> Quantized(const PixelArray& pixels, std::int32_t maxColors) {
    std::vector<Color32> colors;
    EXPECT_TRUE(QuantizeColors(pixels, maxColors, colors));
    return colors;
}

TEST(ColorQuantizer, PaletteSizes) {
    struct Case {
        const char* name;
        PixelArray pixels;
        std::int32_t maxColors;
        std::size_t expected;
        bool transparentLast;
    };
    Case cases[] = {
        {"one color", Raster(5, 3, [](auto, auto) { return MakeColor32(37, 99, 200, 255); }), 256,
         1, false},
        {"all transparent", Raster(4, 4, [](auto x, auto) { return MakeColor32(x, 1, 2, 127); }),
         256, 1, true},
        {"three colors and holes",
         Raster(4, 4,
                [](auto x, auto y) {
                    return x == 3 ? MakeColor32(1, 1, y, 0) : MakeColor32(x * 100, 0, 0, 255);
                }),
         256, 4, true},
        {"300 opaque", ThreeHundredColors(false), 256, 256, false},
        {"300 with holes", ThreeHundredColors(true), 256, 256, true},
        {"300 into two", ThreeHundredColors(false), 2, 2, false},
        {"300 into 16 with holes", ThreeHundredColors(true), 16, 16, true},
        {"nothing", PixelArray(), 256, 0, false},
    };
    for (const Case& c : cases) {
        const std::vector<Color32> colors = Quantized(c.pixels, c.maxColors);
        ASSERT_EQ(colors.size(), c.expected) << c.name;
        for (std::size_t i = 0; i < colors.size(); ++i) {
            const bool last = i + 1 == colors.size();
            if (last && c.transparentLast)
                EXPECT_EQ(colors[i], 0u) << c.name;
            else
                EXPECT_EQ(AlphaOf(colors[i]), 255u) << c.name << " #" << i;
        }
        const std::set<Color32> distinct(colors.begin(), colors.end());
        EXPECT_EQ(distinct.size(), colors.size()) << c.name;
    }
}

TEST(ColorQuantizer, ExactColorsSurviveWhenTheyFit) {
    const PixelArray pixels = Raster(6, 2, [](std::int32_t x, std::int32_t y) {
        return y == 0 ? MakeColor32(200, 10, 10, 255) : MakeColor32(10, x % 2 ? 200 : 10, 50, 255);
    });
    const std::vector<Color32> colors = Quantized(pixels, 16);
    const std::set<Color32> got(colors.begin(), colors.end());
    EXPECT_EQ(got, (std::set<Color32>{MakeColor32(200, 10, 10, 255), MakeColor32(10, 200, 50, 255),
                                      MakeColor32(10, 10, 50, 255)}));
}

// Red levels 0 (three pixels), 10, 100 and 110 into two boxes: the split
// falls at (0 + 110) >> 1 = 55; the weighted mean 10 / 4 = 2.5 rounds to
// even; the first box keeps its place.
TEST(ColorQuantizer, BoxSplitAtTheMiddleOfTheWidestChannel) {
    const unsigned reds[] = {0, 0, 0, 10, 100, 110};
    const PixelArray pixels =
        Raster(6, 1, [&](std::int32_t x, std::int32_t) { return MakeColor32(reds[x], 7, 7, 255); });
    EXPECT_EQ(Quantized(pixels, 2),
              (std::vector<Color32>{MakeColor32(2, 7, 7, 255), MakeColor32(105, 7, 7, 255)}));
    EXPECT_EQ(Quantized(pixels, 1), (std::vector<Color32>{MakeColor32(37, 7, 7, 255)}));
}

TEST(ColorOctree, NeverHoldsMoreThan4096LeavesAndKeepsEveryPixel) {
    ColorOctree octree;
    std::uint64_t sums[3] = {};
    std::uint32_t pixels = 0;
    for (unsigned r = 0; r < 256; r += 3)
        for (unsigned g = 0; g < 256; g += 2)
            for (unsigned b = 0; b < 256; b += 37) {
                octree.insert(r, g, b);
                ++pixels;
                sums[0] += r;
                sums[1] += g;
                sums[2] += b;
                ASSERT_LE(octree.leafCount(), ColorOctree::kMaxLeaves);
            }
    std::vector<WeightedColor> list;
    octree.collect(list);
    ASSERT_EQ(static_cast<std::int32_t>(list.size()), octree.leafCount());
    EXPECT_GT(list.size(), 3000u); // folding takes one subtree at a time
    std::uint32_t counted = 0;
    double weighted[3] = {};
    for (const WeightedColor& c : list) {
        counted += c.count;
        weighted[0] += double(c.count) * c.r;
        weighted[1] += double(c.count) * c.g;
        weighted[2] += double(c.count) * c.b;
    }
    EXPECT_EQ(counted, pixels);
    // Each leaf's mean is rounded by at most half a level per pixel.
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(weighted[k], double(sums[k]), pixels * 0.5) << k;
}

TEST(PaletteOrdering, DarkToLightWithTranslucentEntriesLast) {
    const Color32 black = MakeColor32(0, 0, 0, 255), white = MakeColor32(255, 255, 255, 255);
    const Color32 gray = MakeColor32(128, 128, 128, 255), dim = MakeColor32(60, 60, 60, 255);
    const Color32 clear = 0, ghost = MakeColor32(200, 0, 0, 254);
    struct Case {
        std::vector<Color32> in, out;
    };
    const Case cases[] = {
        {{white, black, gray}, {black, gray, white}},
        {{gray, clear, white, dim, black}, {black, dim, gray, white, clear}},
        {{ghost, white, clear, black}, {black, white, ghost, clear}},
        {{clear}, {clear}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        std::vector<Color32> colors = c.in;
        ASSERT_TRUE(OrderPaletteColors(colors));
        EXPECT_EQ(colors, c.out);
    }
}

// A saturated color is far from the gray axis, so it is placed first, then
// the others join beside their nearest neighbours on the path.
TEST(PaletteOrdering, ColorsJoinThePathNextToTheirNeighbours) {
    const Color32 red = MakeColor32(255, 0, 0, 255), darkRed = MakeColor32(150, 0, 0, 255);
    const Color32 pink = MakeColor32(255, 150, 150, 255), black = MakeColor32(0, 0, 0, 255);
    std::vector<Color32> colors = {pink, black, red, darkRed};
    ASSERT_TRUE(OrderPaletteColors(colors));
    EXPECT_EQ(colors, (std::vector<Color32>{black, darkRed, red, pink}));
}

TEST(PaletteOrdering, PaletteKeepsSlotsAndRebuildsLookup) {
    Palette palette;
    ASSERT_TRUE(palette.setCount(3));
    palette.entry(0).setColor(MakeColor32(255, 255, 255, 255));
    palette.entry(1).setColor(0);
    palette.entry(2).setColor(MakeColor32(0, 0, 0, 255));
    EXPECT_EQ(palette.lookup(MakeColor32(250, 250, 250, 255)), 0);
    ASSERT_TRUE(palette.order());
    EXPECT_EQ(palette.entry(0).color(), MakeColor32(0, 0, 0, 255));
    EXPECT_EQ(palette.entry(1).color(), MakeColor32(255, 255, 255, 255));
    EXPECT_EQ(palette.entry(2).color(), 0u);
    EXPECT_EQ(palette.entry(2).index(), 2);
    EXPECT_EQ(palette.lookup(MakeColor32(250, 250, 250, 255)), 1);
    EXPECT_EQ(palette.lookup(0), 2);
}

} // namespace
} // namespace kv
