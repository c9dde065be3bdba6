#include "model/Compositor.h"
#include "CompositingTestSupport.h"
#include "model/FixedPoint.h"
#include "model/MaskArray.h"
#include "model/PixelArray.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
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

TEST(BlendOver, PixelRuleTable) {
    const struct {
        const char* what;
        Color32 dst, src;
        std::uint32_t fraction;
        Color32 expected;
    } cases[] = {
        {"opaque over opaque at 1", kRed, kBlue, kOpacityOne, kBlue},
        {"half opacity mixes 128 of the source", kRed, kBlue, 1u << 23, kHalfBlueOverRed},
        {"transparent source leaves d", kRed, MakeColor32(0, 255, 0, 0), kOpacityOne, kRed},
        // 255 x 16744320 reaches 0xFE800000: the source is taken unchanged.
        {"threshold reached", kBlack, kWhite, 16744320u, kWhite},
        {"just below threshold", kBlack, kWhite, 16744319u, Gray(254)},
        // Over transparent d the source color comes through whole.
        {"over transparent", 0, MakeColor32(10, 20, 30, 100), kOpacityOne,
         MakeColor32(10, 20, 30, 100)},
        // a = 100, b = 155 x 100 / 255 = 61 (60.78): alpha 161.
        {"partial over partial", MakeColor32(200, 0, 0, 100), MakeColor32(0, 0, 200, 100),
         kOpacityOne, MakeColor32(76, 0, 124, 161)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BlendOne(c.dst, c.src, c.fraction), c.expected) << c.what;
}

// Rows mixing transparent, opaque and partial pixels, at every width up to 40
// so that vector lanes and the pixels after them are both covered.
TEST(BlendOver, EveryRowWidthMatchesThePixelRule) {
    std::mt19937 rng(5);
    const auto pick = [&](auto, auto) -> Color32 {
        const Color32 color = static_cast<Color32>(rng()) & 0x00FFFFFFu;
        const unsigned kind = rng() % 4;
        return color | (kind == 0   ? 0u
                        : kind == 1 ? 0xFF000000u
                                    : static_cast<Color32>(rng() % 256) << 24);
    };
    for (std::int32_t w = 1; w <= 40; ++w)
        for (std::uint32_t fraction :
             {1u, 1u << 23, 11744051u, 16744319u, 16744320u, kOpacityOne}) {
            PixelArray dst = Raster(w, 2, pick);
            const PixelArray src = Raster(w, 2, pick);
            const PixelArray expected = Raster(w, 2, [&](auto x, auto y) {
                return BlendOne(dst.get(x, y), src.get(x, y), fraction);
            });
            BlendOverByFraction(dst, Point{0, 0}, src, src.bounds(), fraction);
            ASSERT_TRUE(dst.sameContents(expected)) << "width " << w << " fraction " << fraction;
        }
}

TEST(ScaleAlpha, EveryRowWidthAndOffsetFollowsTheFormula) {
    // Wide rows go through vector lanes, their ends one pixel at a time.
    std::mt19937 rng(99);
    for (int round = 0; round < 60; ++round) {
        const std::int32_t w = 1 + static_cast<std::int32_t>(rng() % 40);
        const PixelArray original = RandomPixels(w, 3, rng);
        PixelArray scaled = Raster(w, 3, [&](auto x, auto y) { return original.get(x, y); });
        const std::uint32_t fraction = rng() % kOpacityOne;
        const Rect rect{static_cast<std::int32_t>(rng() % 3), 1, w, 3};
        ScaleAlphaByFraction(scaled, rect, fraction);
        for (std::int32_t y = 0; y < 3; ++y)
            for (std::int32_t x = 0; x < w; ++x) {
                const Color32 p = original.get(x, y);
                const auto exact = (std::uint64_t{AlphaOf(p)} * fraction + (1u << 23)) >> 24;
                ASSERT_EQ(scaled.get(x, y),
                          rect.contains(x, y) ? WithAlpha(p, static_cast<unsigned>(exact)) : p)
                    << "width " << w << " at " << x << "," << y;
            }
    }
}

TEST(MergeThroughMask, MaskBytesWeighTheSource) {
    const PixelArray src = Row({kBlue, kBlue, kBlue, MakeColor32(9, 9, 9, 0)});
    MaskArray mask(4, 1);
    const std::uint8_t bytes[] = {0, 255, 128, 255};
    std::copy(bytes, bytes + 4, mask.data());
    const auto merged = [&](bool invert) {
        PixelArray dst = Filled(4, 1, kRed);
        MergeThroughMask(dst, Point{0, 0}, src, mask, invert);
        return dst;
    };
    // 255 takes even a transparent source; at 128, a = 128, b = min(127, 255) = 127.
    EXPECT_TRUE(
        merged(false).sameContents(Row({kRed, kBlue, kHalfBlueOverRed, MakeColor32(9, 9, 9, 0)})));
    // Inverted, m = 127 at the third pixel: a = 127, b = 128.
    EXPECT_TRUE(merged(true).sameContents(Row({kBlue, kRed, MakeColor32(128, 0, 127, 255), kRed})));
}

PixelArray Numbered(std::int32_t w, std::int32_t h) {
    PixelArray a(w, h);
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x)
            a.set(x, y, static_cast<Color32>(y * 1000 + x));
    return a;
}

TEST(FixedPoint, DivisionBy255IsRoundToNearestForEveryByteProduct) {
    for (unsigned a = 0; a < 256; ++a)
        for (unsigned b = 0; b < 256; ++b)
            ASSERT_EQ(Div255(a * b), static_cast<unsigned>(std::lround(a * b / 255.0)))
                << a << "*" << b;
}

TEST(CopyClipping, FollowsTheFourSteps) {
    // Before clipping, then after: dx, dy, sx, sy, w, h.
    const struct {
        std::array<int, 6> in;
        bool copied;
        std::array<int, 6> out;
    } cases[] = {
        // Negative destination moves the source start and leaves the size to step 3.
        {{-3, 0, 0, 0, 5, 2}, true, {0, 0, 3, 0, 5, 2}},
        {{0, 0, -2, -1, 8, 8}, true, {2, 1, 0, 0, 6, 7}},
        {{-1, 0, -3, 0, 4, 1}, true, {2, 0, 0, 0, 4, 1}}, // both negative: step 1 then 2
        {{8, 0, 0, 0, 4, 4}, false, {8, 0, 0, 0, 0, 4}},
        {{0, 0, 0, 0, 0, 4}, false, {0, 0, 0, 0, 0, 4}},
    };
    for (const auto& c : cases) {
        auto [dx, dy, sx, sy, w, h] = c.in;
        SCOPED_TRACE(::testing::PrintToString(c.in));
        EXPECT_EQ(ClipCopy(8, 8, dx, dy, 10, 10, sx, sy, w, h), c.copied);
        EXPECT_EQ((std::array{dx, dy, sx, sy, w, h}), c.out);
    }
}

// A move inside one raster, down and right, must not smear.
TEST(CopyClipping, OverlappingMoveDownAndRight) {
    PixelArray a = Numbered(6, 5);
    EXPECT_TRUE(CopyRaster(a, 1, 1, a, 0, 0, 5, 4));
    for (int y = 1; y < 5; ++y)
        for (int x = 1; x < 6; ++x)
            ASSERT_EQ(a.get(x, y), static_cast<Color32>((y - 1) * 1000 + x - 1));
}

} // namespace
} // namespace kv
