#include "model/Resampler.h"
#include "CompositingTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace kv {
namespace {

using namespace kv::test;

PixelArray Resampled(const PixelArray& src, std::int32_t w, std::int32_t h,
                     const ResamplerOptions& options = {}) {
    PixelArray dst(w, h);
    dst.fill(0xDEADBEEF);
    Resample(dst, src, options);
    return dst;
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
    EXPECT_TRUE(Uniform(Resampled(one, 4, 4), MakeColor32(1, 2, 3, 4)));

    // 2 x 1 to 4 x 2: u = 64, 192, 320, 448; the middle two mix by a quarter.
    const PixelArray wide = Resampled(Row({kBlack, kWhite}), 4, 2);
    const Color32 expected[] = {kBlack, Gray(64), Gray(191), kWhite};
    EXPECT_TRUE(wide.sameContents(Raster(4, 2, [&](auto x, auto) { return expected[x]; })));

    // Interior samples use four pixels: the centre of a 2 x 2 at 3 x 3.
    const PixelArray square = Raster(2, 2, [](auto x, auto y) { return x && y ? kWhite : kBlack; });
    EXPECT_EQ(Resampled(square, 3, 3).get(1, 1), Gray(64)); // 63.75
}

TEST(Resampler, SameSizeKeepsEveryPixelWithAlpha) {
    std::mt19937 rng(11);
    const PixelArray src = RandomPixels(9, 7, rng);
    EXPECT_TRUE(Resampled(src, 9, 7).sameContents(Raster(9, 7, [&](auto x, auto y) {
        const Color32 p = src.get(x, y);
        return AlphaOf(p) ? p : 0u;
    })));
}

TEST(Resampler, BudgetsSampleSparselyAtAreaCentres) {
    // One white pixel at (128, 128) of a black 512 x 512 picture.
    PixelArray src = Filled(512, 512, kBlack);
    src.set(128, 128, kWhite);
    // Full averaging: 1 / 65536 of white vanishes.
    EXPECT_EQ(Resampled(src, 2, 2).get(0, 0), kBlack);
    // A budget this small leaves one bilinear sample at the centre of each
    // destination area (256 x 256 pixels): a quarter of pixel (128, 128).
    EXPECT_EQ(Resampled(src, 2, 2, {1, 1, 0}).get(0, 0), Gray(64)); // one sample in all
    EXPECT_EQ(Resampled(src, 2, 2, {1, 0, 1}).get(0, 0), Gray(64)); // one per pixel
    // A generous budget changes nothing.
    EXPECT_EQ(Resampled(src, 2, 2, {1, 100000000, 1000000}).get(0, 0), kBlack);
}

TEST(Resampler, EnlargementWithoutSmoothingAveragesAreas) {
    const ResamplerOptions blocky{0, 0, 0};
    // 2 x 1 to 4 x 1: each destination pixel lies inside one source pixel.
    const PixelArray out = Resampled(Row({kBlack, kWhite}), 4, 1, blocky);
    EXPECT_EQ(out.get(1, 0), kBlack);
    EXPECT_EQ(out.get(2, 0), kWhite);
    // 2 x 1 to 3 x 1: the middle pixel straddles both halves equally.
    EXPECT_EQ(Resampled(Row({kBlack, kWhite}), 3, 1, blocky).get(1, 0), Gray(128));
}

} // namespace
} // namespace kv
