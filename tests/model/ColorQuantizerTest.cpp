#include "model/ColorQuantizer.h"
#include "CompositingTestSupport.h"
#include "model/ColorOctree.h"
#include "model/ColorSpaces.h"
#include "model/PaletteOrdering.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kv {
namespace {

using test::Raster;

// 300 distinct opaque colors, then black or translucent pixels.
PixelArray ThreeHundredColors(bool withTransparency) {
    return Raster(20, 16, [&](std::int32_t x, std::int32_t y) {
        const unsigned i = static_cast<unsigned>(y * 20 + x);
        if (i >= 300) return MakeColor32(9, 9, 9, withTransparency ? 100 : 255);
        return MakeColor32(i % 7 * 40, i / 7 % 7 * 40, i / 49 * 40, 255);
    });
}

std::vector<Color32> Quantized(const PixelArray& pixels, std::int32_t maxColors) {
    std::vector<Color32> colors;
    EXPECT_TRUE(QuantizeColors(pixels, maxColors, colors));
    return colors;
}

TEST(ColorQuantizer, PaletteSizes) {
    const struct {
        const char* name;
        PixelArray pixels;
        std::int32_t maxColors;
        std::size_t expected;
        bool transparentLast;
    } cases[] = {
        {"all transparent", Raster(4, 4, [](auto x, auto) { return MakeColor32(x, 1, 2, 127); }),
         256, 1, true},
        {"three colors and holes",
         Raster(4, 4,
                [](auto x, auto y) {
                    return x == 3 ? MakeColor32(1, 1, y, 0) : MakeColor32(x * 100, 0, 0, 255);
                }),
         256, 4, true},
        {"300 opaque", ThreeHundredColors(false), 256, 256, false},
        {"300 into two", ThreeHundredColors(false), 2, 2, false},
        {"300 into 16 with holes", ThreeHundredColors(true), 16, 16, true},
        {"nothing", PixelArray(), 256, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Color32> colors = Quantized(c.pixels, c.maxColors);
        ASSERT_EQ(colors.size(), c.expected);
        for (std::size_t i = 0; i < colors.size(); ++i) {
            const bool clearSlot = c.transparentLast && i + 1 == colors.size();
            EXPECT_EQ(clearSlot ? colors[i] : AlphaOf(colors[i]), clearSlot ? 0u : 255u) << i;
        }
        EXPECT_EQ(std::set<Color32>(colors.begin(), colors.end()).size(), colors.size());
    }
}

// Red levels 0 (three pixels), 10, 100 and 110 into two boxes: the split
// falls at (0 + 110) >> 1 = 55; the weighted mean 10 / 4 = 2.5 rounds to
// even; the first box keeps its place.
TEST(ColorQuantizer, BoxSplitAtTheMiddleOfTheWidestChannel) {
    const unsigned reds[] = {0, 0, 0, 10, 100, 110};
    const PixelArray pixels =
        Raster(6, 1, [&](auto x, auto) { return MakeColor32(reds[x], 7, 7, 255); });
    EXPECT_EQ(Quantized(pixels, 2),
              (std::vector<Color32>{MakeColor32(2, 7, 7, 255), MakeColor32(105, 7, 7, 255)}));
    EXPECT_EQ(Quantized(pixels, 1), (std::vector<Color32>{MakeColor32(37, 7, 7, 255)}));
}

TEST(ColorOctree, NeverHoldsMoreThan4096LeavesAndKeepsEveryPixel) {
    ColorOctree octree;
    std::uint32_t pixels = 0;
    for (unsigned r = 0; r < 256; r += 3)
        for (unsigned g = 0; g < 256; g += 2)
            for (unsigned b = 0; b < 256; b += 37) {
                octree.insert(r, g, b);
                ++pixels;
                ASSERT_LE(octree.leafCount(), ColorOctree::kMaxLeaves);
            }
    std::vector<WeightedColor> list;
    octree.collect(list);
    ASSERT_EQ(static_cast<std::int32_t>(list.size()), octree.leafCount());
    EXPECT_GT(list.size(), 3000u); // folding takes one subtree at a time
    std::uint32_t counted = 0;
    for (const WeightedColor& c : list)
        counted += c.count;
    EXPECT_EQ(counted, pixels);
}

// A saturated color is far from the gray axis, so it is placed first, then
// the others join beside their nearest neighbours on the path.
TEST(PaletteOrdering, DarkToLightWithTranslucentEntriesLast) {
    const Color32 black = test::kBlack, white = test::kWhite, gray = test::Gray(128);
    const Color32 dim = test::Gray(60), clear = 0, ghost = MakeColor32(200, 0, 0, 254);
    const Color32 red = test::kRed, darkRed = MakeColor32(150, 0, 0, 255);
    const Color32 pink = MakeColor32(255, 150, 150, 255);
    const struct {
        std::vector<Color32> in, out;
    } cases[] = {
        {{white, black, gray}, {black, gray, white}},
        {{gray, clear, white, dim, black}, {black, dim, gray, white, clear}},
        {{ghost, white, clear, black}, {black, white, ghost, clear}},
        {{pink, black, red, darkRed}, {black, darkRed, red, pink}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        std::vector<Color32> colors = c.in;
        ASSERT_TRUE(OrderPaletteColors(colors));
        EXPECT_EQ(colors, c.out);
    }
}

void ExpectNear3(float a, float b, float c, const float (&expected)[3], float tolerance) {
    EXPECT_NEAR(a, expected[0], tolerance);
    EXPECT_NEAR(b, expected[1], tolerance);
    EXPECT_NEAR(c, expected[2], tolerance);
}

TEST(ColorSpaces, ReferenceColorsInHsvAndHsl) {
    const struct {
        float rgb[3], hsv[3], hsl[3];
    } cases[] = {
        // Pure red has G as its minimum, so its HSV hue is a full turn.
        {{1, 0, 0}, {1, 1, 1}, {0, 1, 0.5f}},
        {{0, 0, 1}, {2.0f / 3, 1, 1}, {2.0f / 3, 1, 0.5f}},
        {{1, 0, 0.5f}, {11.0f / 12, 1, 1}, {11.0f / 12, 1, 0.5f}},
        {{0.2f, 0.4f, 0.8f}, {0.6111111f, 0.75f, 0.8f}, {0.6111111f, 0.6f, 0.5f}},
        {{0.9f, 0.8f, 0.7f}, {1.0f / 12, 0.2222222f, 0.9f}, {1.0f / 12, 0.5f, 0.8f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.rgb));
        ColorSpaceValue hsv{c.rgb[0], c.rgb[1], c.rgb[2]}, hsl = hsv;
        RgbToHsv(hsv);
        RgbToHsl(hsl);
        ExpectNear3(hsv.c1, hsv.c2, hsv.c3, c.hsv, 1e-6f);
        ExpectNear3(hsl.c1, hsl.c2, hsl.c3, c.hsl, 1e-6f);
    }
}

// Hues to full-strength colors (HSV with S = V = 1, HSL with S = 1 and L =
// 0.5). Hue is a fraction of a turn: one full turn and a tiny negative hue,
// whose fraction of a turn rounds up to 1, are red, not magenta; just below
// a turn is the end of the magenta-to-red sector.
TEST(ColorSpaces, HuesToRgbWrapAtAFullTurn) {
    const struct {
        float hue, rgb[3];
    } cases[] = {
        {1, {1, 0, 0}},                 // one full turn: red again
        {-1e-9f, {1, 0, 0}},            // its fraction of a turn rounds up to 1
        {0.99999994f, {1, 0, 3.6e-7f}}, // just below a turn
        {5.0f / 6, {1, 0, 1}},          // magenta
        {-1.0f / 3, {0, 0, 1}},         // blue, two thirds of a turn
        {2.5f, {0, 1, 1}},              // cyan, half a turn
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "hue " << c.hue);
        ColorSpaceValue hsv{-1, -1, -1, c.hue, 1, 1}, hsl{-1, -1, -1, c.hue, 1, 0.5f};
        HsvToRgb(hsv);
        HslToRgb(hsl);
        ExpectNear3(hsv.r, hsv.g, hsv.b, c.rgb, 1e-6f);
        ExpectNear3(hsl.r, hsl.g, hsl.b, c.rgb, 1e-6f);
    }
}

} // namespace
} // namespace kv
