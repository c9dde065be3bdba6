#include "model/FixedPoint.h"
#include "model/MaskArray.h"
#include "model/PixelArray.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace kv {
namespace {

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

TEST(FixedPoint, ReciprocalsAndOpacityFractions) {
    EXPECT_EQ(ReciprocalTable[0], 0u);
    EXPECT_EQ(ReciprocalTable[1], 16777216u);
    EXPECT_EQ(ReciprocalTable[255], 65793u);
    EXPECT_EQ(ReciprocalTable[3], 5592405u); // 5592405.33 rounds down
    EXPECT_EQ(DivByAlphaSum(510, 4), 128u);  // 127.5 rounds up
    EXPECT_EQ(DivByAlphaSum(1234, 0), 0u);

    EXPECT_EQ(OpacityToFraction(1.0f), kOpacityOne);
    EXPECT_EQ(OpacityToFraction(0.0f), 0u);
    EXPECT_EQ(OpacityToFraction(0.5f), 1u << 23);
    EXPECT_EQ(OpacityToFraction(1e-30f), 0u);
    // 2^-25 is exactly half a unit: ties go to even (0); 3 * 2^-25 goes to 2.
    EXPECT_EQ(OpacityToFraction(std::ldexp(1.0f, -25)), 0u);
    EXPECT_EQ(OpacityToFraction(3 * std::ldexp(1.0f, -25)), 2u);
}

TEST(PixelArray, FailedAllocationLeavesAnEmptyRasterAndTellsTheUser) {
    test::CapturingReporter reporter;
    PixelArray a(0x7FFFFFFF, 0x7FFFFFFF);
    EXPECT_FALSE(a.hasStorage());
    EXPECT_EQ(a.width(), 0);
    ASSERT_EQ(reporter.criticals.size(), 1u);
    EXPECT_EQ(reporter.criticals[0].rfind("Cannot allocate memory (requested block size: ", 0), 0u);
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Pixel array creation failed"});
    EXPECT_EQ(reporter.titles[0], "Korvane :: Error");
    a.fill(1); // operations on an empty raster do nothing
    a.fillRect(Rect{0, 0, 5, 5}, 1);
    MaskArray m(0x7FFFFFFF, 0x7FFFFFFF);
    EXPECT_EQ(reporter.messages.back(), "Mask array creation failed");
}

TEST(PixelArray, FillRectAndVerticalLineClip) {
    PixelArray a(16, 3);
    a.fill(0);
    a.fillRect(Rect{-5, 0, 2, 1}, 7);
    a.verticalLine(3, 5, -2, 4);
    a.verticalLine(16, 0, 2, 9); // outside the columns
    a.verticalLine(-1, 0, 2, 9);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(a.get(x, y), x == 3 ? 4u : (x < 2 && y == 0 ? 7u : 0u)) << x << "," << y;
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
