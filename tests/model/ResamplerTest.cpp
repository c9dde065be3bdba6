#include "model/Resampler.h"
#include "CompositingTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace kv {
namespace {

using namespace kv::test;

PixelArray Row(std::vector<Color32> pixels) {
    PixelArray a(static_cast<std::int32_t>(pixels.size()), 1);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        a.set(static_cast<std::int32_t>(i), 0, pixels[i]);
    return a;
}

PixelArray Resampled(const PixelArray& src, std::int32_t w, std::int32_t h,
                     const ResamplerOptions& options = {}) {
    PixelArray dst(w, h);
    dst.fill(0xDEADBEEF);
    Resample(dst, src, options);
    return dst;
}

Color32 Gray(unsigned v, unsigned a = 255) {
    return MakeColor32(v, v, v, a);
}

TEST(Resampler, HalvingAveragesTwoHalfAreasWithTiesToEven) {
    // 127.5 goes to the even 128.
    EXPECT_EQ(Resampled(Row({kBlack, kWhite}), 1, 1).get(0, 0), Gray(128));
    // Transparent neighbours weigh nothing in the color: pure red at alpha 128.
    EXPECT_EQ(Resampled(Row({kRed, MakeColor32(0, 255, 0, 0)}), 1, 1).get(0, 0),
              MakeColor32(255, 0, 0, 128));
    // A covered area that is fully transparent gives 0 whatever its colors.
    const PixelArray out = Resampled(Row({0x00FF0000, 0x0000FF00, kWhite, kWhite}), 2, 1);
    EXPECT_EQ(out.get(0, 0), 0u);
    EXPECT_EQ(out.get(1, 0), kWhite);
}

TEST(Resampler, EnlargementInterpolatesBetweenCentresAndHoldsAtTheBorder) {
    // 1 x 1 to 4 x 4: every sample lies on the border.
    const PixelArray one = Filled(1, 1, MakeColor32(1, 2, 3, 4));
    const PixelArray big = Resampled(one, 4, 4);
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(big.get(x, y), MakeColor32(1, 2, 3, 4));

    // 2 x 1 to 4 x 2: u = 64, 192, 320, 448; the middle two mix by a quarter.
    const PixelArray wide = Resampled(Row({kBlack, kWhite}), 4, 2);
    const Color32 expected[] = {kBlack, Gray(64), Gray(191), kWhite};
    for (std::int32_t x = 0; x < 4; ++x) {
        EXPECT_EQ(wide.get(x, 0), expected[x]) << x;
        EXPECT_EQ(wide.get(x, 1), expected[x]) << x;
    }

    // Interior samples use four pixels: the centre of a 2 x 2 at 3 x 3.
    PixelArray square(2, 2);
    square.fill(kBlack);
    square.set(1, 1, kWhite);
    EXPECT_EQ(Resampled(square, 3, 3).get(1, 1), Gray(64)); // 63.75
}

TEST(Resampler, SameSizeKeepsEveryPixelWithAlpha) {
    std::mt19937 rng(11);
    const PixelArray src = RandomPixels(9, 7, rng);
    const PixelArray out = Resampled(src, 9, 7);
    for (std::int32_t y = 0; y < 7; ++y)
        for (std::int32_t x = 0; x < 9; ++x) {
            const Color32 p = src.get(x, y);
            ASSERT_EQ(out.get(x, y), AlphaOf(p) ? p : 0u) << x << "," << y;
        }
}

TEST(Resampler, BudgetsSampleSparselyAtAreaCentres) {
    // One white pixel at (128, 128) of a black 512 x 512 picture.
    PixelArray src = Filled(512, 512, kBlack);
    src.set(128, 128, kWhite);
    // Full averaging: 1 / 65536 of white vanishes.
    EXPECT_EQ(Resampled(src, 2, 2).get(0, 0), kBlack);
    // A budget this small leaves one bilinear sample at the centre of each
    // destination area (256 x 256 pixels): a quarter of pixel (128, 128).
    ResamplerOptions total;
    total.totalSampleBudget = 1;
    EXPECT_EQ(Resampled(src, 2, 2, total).get(0, 0), Gray(64));
    ResamplerOptions perPixel;
    perPixel.samplesPerPixel = 1;
    EXPECT_EQ(Resampled(src, 2, 2, perPixel).get(0, 0), Gray(64));
    // A generous budget changes nothing.
    ResamplerOptions generous;
    generous.totalSampleBudget = 100000000;
    generous.samplesPerPixel = 1000000;
    EXPECT_EQ(Resampled(src, 2, 2, generous).get(0, 0), kBlack);
}

TEST(Resampler, EnlargementWithoutSmoothingAveragesAreas) {
    ResamplerOptions blocky;
    blocky.smoothEnlargement = 0;
    // 2 x 1 to 4 x 1: each destination pixel lies inside one source pixel.
    const PixelArray out = Resampled(Row({kBlack, kWhite}), 4, 1, blocky);
    EXPECT_EQ(out.get(1, 0), kBlack);
    EXPECT_EQ(out.get(2, 0), kWhite);
    // 2 x 1 to 3 x 1: the middle pixel straddles both halves equally.
    EXPECT_EQ(Resampled(Row({kBlack, kWhite}), 3, 1, blocky).get(1, 0), Gray(128));
}

} // namespace
} // namespace kv
