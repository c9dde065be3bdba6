// Whole-image transforms: the pixel mapping of each reorientation, crop and
// extend, resizing, and what happens to the 8x detail and the selection.
#include "model/ImageTransform.h"
#include "model/Image.h"
#include "model/Layer.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

// A layer whose pixel (x, y) is tagged x + 16 y, opaque, so every pixel
// says where it came from.
Color32 Tag(std::int32_t x, std::int32_t y) {
    return MakeColor32(static_cast<unsigned>(x), static_cast<unsigned>(y), 7, 255);
}

struct Fixture {
    Image image;
    Layer* layer = nullptr;

    Fixture(std::int32_t w, std::int32_t h) {
        image.setSize(w, h);
        layer = static_cast<Layer*>(image.insertLayer(std::make_unique<Layer>()));
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x)
                layer->pixels().set(x, y, Tag(x, y));
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
    ReorientImage(f.image, c.code);
    ASSERT_EQ(f.image.width(), c.width);
    ASSERT_EQ(f.image.height(), c.height);
    ASSERT_EQ(f.layer->width(), c.width);
    for (std::int32_t y = 0; y < c.height; ++y)
        for (std::int32_t x = 0; x < c.width; ++x) {
            const auto [sx, sy] = c.sources[static_cast<std::size_t>(y * c.width + x)];
            EXPECT_EQ(f.layer->pixels().get(x, y), Tag(sx, sy))
                << "code " << c.code << " at " << x << "," << y;
        }
    EXPECT_TRUE(f.image.composite().sameContents(f.layer->pixels())) << "one update at the end";
}

INSTANTIATE_TEST_SUITE_P(
    Codes, Reorientation,
    ::testing::Values(OrientationCase{1, 3, 2, {{2, 0}, {1, 0}, {0, 0}, {2, 1}, {1, 1}, {0, 1}}},
                      OrientationCase{2, 3, 2, {{0, 1}, {1, 1}, {2, 1}, {0, 0}, {1, 0}, {2, 0}}},
                      OrientationCase{3, 2, 3, {{0, 1}, {0, 0}, {1, 1}, {1, 0}, {2, 1}, {2, 0}}},
                      OrientationCase{4, 3, 2, {{2, 1}, {1, 1}, {0, 1}, {2, 0}, {1, 0}, {0, 0}}},
                      OrientationCase{5, 2, 3, {{2, 0}, {2, 1}, {1, 0}, {1, 1}, {0, 0}, {0, 1}}}));

TEST(ReorientImage, ClockwiseTurnOfA32By16Image) {
    Fixture f(32, 16);
    f.image.setResolution(1000.0f, 2000.0f);
    ReorientImage(f.image, 3);
    EXPECT_EQ(f.image.width(), 16);
    EXPECT_EQ(f.image.height(), 32);
    EXPECT_EQ(f.layer->pixels().get(0, 0), Tag(0, 15)) << "the source's bottom-left pixel";
    EXPECT_EQ(f.image.horizontalResolution(), 2000.0f);
    EXPECT_EQ(f.image.verticalResolution(), 1000.0f);
    EXPECT_FALSE(f.image.updatesLocked());
}

TEST(ReorientImage, ClearsTheSelectionAndIgnoresUnknownCodes) {
    Fixture f(4, 4);
    f.selectPixel(1, 1);
    ReorientImage(f.image, 0);
    EXPECT_TRUE(f.image.selection()->active());
    ReorientImage(f.image, 4);
    EXPECT_FALSE(f.image.selection()->active());
    EXPECT_TRUE(f.image.selection()->empty());
}

TEST(SetImageBounds, ExtendingAddsATransparentBorder) {
    Fixture f(16, 16);
    SetImageBounds(f.image, {-2, -2, 18, 18});
    ASSERT_EQ(f.image.width(), 20);
    ASSERT_EQ(f.layer->pixels().width(), 20);
    for (std::int32_t i = 0; i < 20; ++i) {
        for (std::int32_t border : {0, 1, 18, 19}) {
            EXPECT_EQ(f.layer->pixels().get(i, border), 0u);
            EXPECT_EQ(f.layer->pixels().get(border, i), 0u);
        }
    }
    EXPECT_EQ(f.layer->pixels().get(2, 2), Tag(0, 0));
    EXPECT_EQ(f.layer->pixels().get(17, 17), Tag(15, 15));
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

TEST(ResizeImage, ResamplesEveryLayer) {
    Image image;
    image.setSize(2, 1);
    auto* layer = image.insertLayer(std::make_unique<Layer>());
    layer->pixels().set(0, 0, MakeColor32(0, 0, 0, 255));
    layer->pixels().set(1, 0, MakeColor32(255, 255, 255, 255));
    ResizeImage(image, 1, 1);
    ASSERT_EQ(layer->width(), 1);
    EXPECT_EQ(layer->pixels().get(0, 0), MakeColor32(128, 128, 128, 255));
    EXPECT_EQ(image.composite().get(0, 0), MakeColor32(128, 128, 128, 255));
}

TEST(ResizeImage, SupersampledLayersAreResampledAtEightTimes) {
    Fixture f(2, 2);
    f.layer->setSupersampled(true);
    f.layer->editablePixels().fill(MakeColor32(0, 0, 0, 255));
    f.layer->editablePixels().fillRect({0, 0, 1, 16}, MakeColor32(255, 255, 255, 255));
    f.layer->refreshFromDetail(nullptr);
    f.selectPixel(0, 0);
    ResizeImage(f.image, 4, 4);
    EXPECT_EQ(f.layer->editablePixels().width(), 32);
    EXPECT_TRUE(f.layer->supersampled());
    // Enlarging twice keeps the one white detail column about two columns wide.
    EXPECT_EQ(RedOf(f.layer->editablePixels().get(0, 5)), 255u);
    EXPECT_EQ(RedOf(f.layer->editablePixels().get(4, 5)), 0u);
    EXPECT_FALSE(f.image.selection()->active()) << "a new size drops the selection";
    ResizeImage(f.image, 4, 4);
    EXPECT_FALSE(f.image.updatesLocked());
}

} // namespace
} // namespace kv
