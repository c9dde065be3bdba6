// Whole-image transforms: the pixel mapping of each reorientation, crop and
// extend, resizing, and what happens to the 8x detail and the selection.
#include "model/ImageTransform.h"
#include "CompositingTestSupport.h"
#include "model/Image.h"
#include "model/Resampler.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace kv {
namespace {

using namespace kv::test;

// Every pixel says where it came from.
Color32 Tag(std::int32_t x, std::int32_t y) {
    return MakeColor32(static_cast<unsigned>(x), static_cast<unsigned>(y), 7, 255);
}

struct Fixture {
    Image image;
    Layer* layer = nullptr;

    Fixture(std::int32_t w, std::int32_t h) {
        image.setSize(w, h);
        layer = static_cast<Layer*>(image.insertLayer(std::make_unique<Layer>()));
        CopyRaster(layer->pixels(), 0, 0, test::Raster(w, h, Tag));
        image.setCurrentLayer(layer);
        image.update();
    }
    void selectPixel(std::int32_t x, std::int32_t y) {
        Selection& s = *image.selection();
        s.editableMask().set(x, y, 255);
        s.refreshFromDetail(nullptr);
        s.setActive(true);
    }
};

// Where each destination pixel of a 3 x 2 source comes from, per code,
// written out row by row as (x, y) of the source.
struct OrientationCase {
    int code;
    std::int32_t width, height;
    std::vector<std::pair<int, int>> sources;
};

class Reorientation : public ::testing::TestWithParam<OrientationCase> {};

TEST_P(Reorientation, EveryPixelComesFromTheTabledSource) {
    const OrientationCase& c = GetParam();
    Fixture f(3, 2);
    f.image.setResolution(1000.0f, 2000.0f);
    f.selectPixel(1, 1);
    ReorientImage(f.image, 0); // unknown codes do nothing
    ASSERT_TRUE(f.image.selection()->active());
    ReorientImage(f.image, c.code);
    ASSERT_EQ(f.image.width(), c.width);
    ASSERT_EQ(f.image.height(), c.height);
    EXPECT_TRUE(f.layer->pixels().sameContents(test::Raster(c.width, c.height, [&](auto x, auto y) {
        const auto [sx, sy] = c.sources[static_cast<std::size_t>(y * c.width + x)];
        return Tag(sx, sy);
    })));
    EXPECT_TRUE(f.image.composite().sameContents(f.layer->pixels())) << "one update at the end";
    EXPECT_EQ(f.image.horizontalResolution(), c.width == 2 ? 2000.0f : 1000.0f);
    EXPECT_FALSE(f.image.selection()->active());
}

INSTANTIATE_TEST_SUITE_P(
    Codes, Reorientation,
    ::testing::Values(OrientationCase{1, 3, 2, {{2, 0}, {1, 0}, {0, 0}, {2, 1}, {1, 1}, {0, 1}}},
                      OrientationCase{2, 3, 2, {{0, 1}, {1, 1}, {2, 1}, {0, 0}, {1, 0}, {2, 0}}},
                      OrientationCase{3, 2, 3, {{0, 1}, {0, 0}, {1, 1}, {1, 0}, {2, 1}, {2, 0}}},
                      OrientationCase{4, 3, 2, {{2, 1}, {1, 1}, {0, 1}, {2, 0}, {1, 0}, {0, 0}}},
                      OrientationCase{5, 2, 3, {{2, 0}, {2, 1}, {1, 0}, {1, 1}, {0, 0}, {0, 1}}}));

TEST(SetImageBounds, ExtendingAddsATransparentBorder) {
    Fixture f(16, 16);
    SetImageBounds(f.image, {-2, -2, 18, 18});
    ASSERT_EQ(f.image.width(), 20);
    EXPECT_TRUE(f.layer->pixels().sameContents(test::Raster(20, 20, [](auto x, auto y) {
        return x < 2 || y < 2 || x >= 18 || y >= 18 ? 0u : Tag(x - 2, y - 2);
    })));
}

TEST(SetImageBounds, CroppingKeepsTheRectangleAtEightTimesOnSupersampledLayers) {
    Fixture f(6, 4);
    f.layer->setSupersampled(true);
    f.layer->editablePixels().set(8 * 2 + 3, 8 * 1 + 5, MakeColor32(1, 2, 3, 255));
    f.layer->refreshFromDetail(nullptr);
    SetImageBounds(f.image, {2, 1, 5, 3});
    ASSERT_EQ(f.image.width(), 3);
    ASSERT_EQ(f.image.height(), 2);
    EXPECT_EQ(f.layer->editablePixels().width(), 24);
    EXPECT_EQ(f.layer->editablePixels().get(3, 5), MakeColor32(1, 2, 3, 255));
    EXPECT_EQ(f.layer->pixels().get(2, 1), Tag(4, 2)) << "level 0 reduced from the detail";
}

TEST(ResizeImage, ResamplesEveryLayerAndSupersampledOnesAtEightTimes) {
    Fixture f(2, 1);
    f.layer->pixels().set(0, 0, test::kBlack);
    f.layer->pixels().set(1, 0, test::kWhite);
    ResizeImage(f.image, 1, 1);
    EXPECT_EQ(f.layer->pixels().get(0, 0), test::Gray(128));
    EXPECT_EQ(f.image.composite().get(0, 0), test::Gray(128));

    f.layer->setSupersampled(true);
    f.layer->editablePixels().fill(test::kBlack);
    f.layer->editablePixels().fillRect({0, 0, 1, 8}, test::kWhite);
    f.layer->refreshFromDetail(nullptr);
    f.selectPixel(0, 0);
    ResizeImage(f.image, 2, 2);
    EXPECT_EQ(f.layer->editablePixels().width(), 16);
    EXPECT_TRUE(f.layer->supersampled());
    // Enlarging twice keeps the one white detail column about two columns wide.
    EXPECT_EQ(RedOf(f.layer->editablePixels().get(0, 5)), 255u);
    EXPECT_EQ(RedOf(f.layer->editablePixels().get(4, 5)), 0u);
    EXPECT_FALSE(f.image.selection()->active()) << "a new size drops the selection";
}

PixelArray Resampled(const PixelArray& src, std::int32_t w, std::int32_t h) {
    PixelArray dst(w, h);
    dst.fill(0xDEADBEEF);
    Resample(dst, src);
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

} // namespace
} // namespace kv
