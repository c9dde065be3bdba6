#include "model/Compositor.h"
#include "CompositingTestSupport.h"
#include "model/FixedPoint.h"

#include <gtest/gtest.h>

#include <random>

namespace kv {
namespace {

using namespace kv::test;

Color32 BlendOne(Color32 d, Color32 s, std::uint32_t fraction) {
    PixelArray dst = Filled(1, 1, d);
    const PixelArray src = Filled(1, 1, s);
    BlendOverByFraction(dst, Point{0, 0}, src, src.bounds(), fraction);
    return dst.get(0, 0);
}

struct BlendCase {
    const char* what;
    Color32 dst, src;
    std::uint32_t fraction;
    Color32 expected;
};

TEST(BlendOver, PixelRuleTable) {
    const BlendCase cases[] = {
        {"opaque over opaque at 1", kRed, kBlue, kOpacityOne, kBlue},
        {"half opacity mixes 128 of the source", kRed, kBlue, 1u << 23,
         MakeColor32(127, 0, 128, 255)},
        {"transparent source leaves d", kRed, MakeColor32(0, 255, 0, 0), kOpacityOne, kRed},
        // 255 x 16744320 reaches 0xFE800000: the source is taken unchanged.
        {"threshold reached", kBlack, kWhite, 16744320u, kWhite},
        {"just below threshold", kBlack, kWhite, 16744319u, MakeColor32(254, 254, 254, 255)},
        // Over transparent d the source color comes through whole.
        {"over transparent", 0, MakeColor32(10, 20, 30, 100), kOpacityOne,
         MakeColor32(10, 20, 30, 100)},
        // a = 100, b = 155 x 100 / 255 = 61 (60.78): alpha 161.
        {"partial over partial", MakeColor32(200, 0, 0, 100), MakeColor32(0, 0, 200, 100),
         kOpacityOne, MakeColor32(76, 0, 124, 161)},
    };
    for (const BlendCase& c : cases)
        EXPECT_EQ(BlendOne(c.dst, c.src, c.fraction), c.expected) << c.what;
}

// Rows mixing transparent, opaque and partial pixels, at every width up to 40
// so that vector lanes and the pixels after them are both covered.
TEST(BlendOver, EveryRowWidthMatchesThePixelRule) {
    std::mt19937 rng(5);
    const auto pick = [&]() -> Color32 {
        const Color32 color = static_cast<Color32>(rng()) & 0x00FFFFFFu;
        switch (rng() % 4) {
        case 0:
            return color;
        case 1:
            return color | 0xFF000000u;
        default:
            return color | static_cast<Color32>(rng() % 256) << 24;
        }
    };
    const std::uint32_t fractions[] = {1, 1u << 23, 11744051, 16744319, 16744320, kOpacityOne};
    for (std::int32_t w = 1; w <= 40; ++w)
        for (std::uint32_t fraction : fractions) {
            PixelArray dst(w, 2), src(w, 2);
            for (std::int32_t y = 0; y < 2; ++y)
                for (std::int32_t x = 0; x < w; ++x) {
                    dst.set(x, y, pick());
                    src.set(x, y, pick());
                }
            PixelArray expected(w, 2);
            CopyRaster(expected, 0, 0, dst);
            for (std::int32_t y = 0; y < 2; ++y)
                for (std::int32_t x = 0; x < w; ++x)
                    expected.set(x, y, BlendOne(dst.get(x, y), src.get(x, y), fraction));
            BlendOverByFraction(dst, Point{0, 0}, src, src.bounds(), fraction);
            ASSERT_TRUE(dst.sameContents(expected)) << "width " << w << " fraction " << fraction;
        }
}

TEST(BlendOver, OpacityBelowOneUnitDoesNothingAndClipsLikeACopy) {
    PixelArray dst = Filled(4, 4, kRed);
    const PixelArray src = Filled(3, 3, kBlue);
    BlendOver(dst, Point{0, 0}, src, 1e-9f);
    EXPECT_EQ(dst.get(0, 0), kRed);

    BlendOver(dst, Point{-1, 2}, src, 1.0f); // lands on columns 0-1, rows 2-3
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(dst.get(x, y), (x < 2 && y >= 2) ? kBlue : kRed) << x << "," << y;

    // A source rectangle goes to the given position.
    PixelArray numbered(3, 1);
    numbered.set(0, 0, kBlack);
    numbered.set(1, 0, kWhite);
    numbered.set(2, 0, kBlue);
    BlendOver(dst, Point{3, 0}, numbered, Rect{1, 0, 3, 1}, 1.0f);
    EXPECT_EQ(dst.get(3, 0), kWhite);
}

TEST(ScaleAlpha, EveryRowWidthAndOffsetFollowsTheFormula) {
    // Wide rows go through vector lanes, their ends one pixel at a time.
    std::mt19937 rng(99);
    for (int round = 0; round < 60; ++round) {
        const std::int32_t w = 1 + static_cast<std::int32_t>(rng() % 40);
        const PixelArray original = RandomPixels(w, 3, rng);
        PixelArray scaled(w, 3);
        CopyRaster(scaled, 0, 0, original);
        const std::uint32_t fraction = rng() % kOpacityOne;
        const Rect rect{static_cast<std::int32_t>(rng() % 3), 1, w, 3};
        ScaleAlphaByFraction(scaled, rect, fraction);
        for (std::int32_t y = 0; y < 3; ++y)
            for (std::int32_t x = 0; x < w; ++x) {
                const Color32 p = original.get(x, y);
                const std::uint64_t exact =
                    (std::uint64_t{AlphaOf(p)} * fraction + (1u << 23)) >> 24;
                const Color32 expected =
                    rect.contains(x, y) ? WithAlpha(p, static_cast<unsigned>(exact)) : p;
                ASSERT_EQ(scaled.get(x, y), expected) << "width " << w << " at " << x << "," << y;
            }
    }
}

TEST(MergeThroughMask, MaskBytesWeighTheSource) {
    PixelArray src(4, 1);
    src.fill(kBlue);
    src.set(3, 0, MakeColor32(9, 9, 9, 0));
    MaskArray mask(4, 1);
    const std::uint8_t bytes[] = {0, 255, 128, 255};
    for (int x = 0; x < 4; ++x)
        mask.set(x, 0, bytes[x]);

    PixelArray dst = Filled(4, 1, kRed);
    MergeThroughMask(dst, Point{0, 0}, src, mask, false);
    EXPECT_EQ(dst.get(0, 0), kRed);
    EXPECT_EQ(dst.get(1, 0), kBlue);
    // a = 128, b = min(127, 255) = 127.
    EXPECT_EQ(dst.get(2, 0), MakeColor32(127, 0, 128, 255));
    EXPECT_EQ(dst.get(3, 0), MakeColor32(9, 9, 9, 0)); // 255 takes even a transparent source

    PixelArray inverted = Filled(4, 1, kRed);
    MergeThroughMask(inverted, Point{0, 0}, src, mask, true);
    EXPECT_EQ(inverted.get(0, 0), kBlue);
    EXPECT_EQ(inverted.get(1, 0), kRed);
    // m = 127: a = 127, b = 128.
    EXPECT_EQ(inverted.get(2, 0), MakeColor32(128, 0, 127, 255));

    // The destination alpha caps what it keeps.
    PixelArray faint = Filled(4, 1, MakeColor32(255, 0, 0, 40));
    MergeThroughMask(faint, Point{-2, 0}, src, mask, false); // source columns 2, 3 land on 0, 1
    EXPECT_EQ(AlphaOf(faint.get(0, 0)), 128u + 40u);
    EXPECT_EQ(faint.get(2, 0), MakeColor32(255, 0, 0, 40));

    MaskArray wrongSize(3, 1);
    wrongSize.fill(255);
    PixelArray untouched = Filled(4, 1, kRed);
    MergeThroughMask(untouched, Point{0, 0}, src, wrongSize, false);
    EXPECT_EQ(untouched.get(1, 0), kRed);
}

TEST(TintRect, OverlaysAQuarterOfTheAlpha) {
    PixelArray a = Filled(3, 3, kWhite);
    TintRect(a, Rect{1, 1, 9, 9}, MakeColor32(255, 0, 0, 200)); // a = 50, b = 205
    EXPECT_EQ(a.get(0, 0), kWhite);
    EXPECT_EQ(a.get(1, 1), MakeColor32(255, 205, 205, 255));
    EXPECT_EQ(a.get(2, 2), MakeColor32(255, 205, 205, 255));
    TintRect(a, a.bounds(), MakeColor32(0, 0, 0, 1)); // quarter rounds to 0: nothing
    EXPECT_EQ(a.get(0, 0), kWhite);
}

TEST(BlendPixel, OnePixelInsideTheRasterOnly) {
    PixelArray a = Filled(2, 2, kBlack);
    BlendPixel(a, 1, 0, kWhite, 0.5f); // a = 128 (127.5 to even), b = 127
    EXPECT_EQ(a.get(1, 0), MakeColor32(128, 128, 128, 255));
    EXPECT_EQ(a.get(0, 0), kBlack);
    BlendPixel(a, 2, 0, kWhite, 1.0f);
    BlendPixel(a, -1, 1, kWhite, 1.0f);
    BlendPixel(a, 0, 0, kWhite, 0.001f); // rounds to alpha 0
    EXPECT_EQ(a.get(0, 0), kBlack);
    BlendPixel(a, 0, 1, MakeColor32(0, 0, 255, 255), 1.0f);
    EXPECT_EQ(a.get(0, 1), kBlue);
}

} // namespace
} // namespace kv
