#include "CompositingTestSupport.h"
#include "model/Image.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

using namespace kv::test;

// A 4 x 3 image with solid layers (bottom first).
struct Fixture {
    Image image;
    std::vector<LayerBase*> layers;

    explicit Fixture(std::vector<Color32> colors) {
        ImageUpdateLock lock(image);
        image.setSize(4, 3);
        for (Color32 color : colors) {
            LayerBase* layer = image.insertLayer(SolidLayer(4, 3, 0));
            layer->pixels().fill(color);
            layers.push_back(layer);
        }
    }
};

bool Uniform(const PixelArray& raster, Color32 color) {
    for (std::int32_t y = 0; y < raster.height(); ++y)
        for (std::int32_t x = 0; x < raster.width(); ++x)
            if (raster.get(x, y) != color) return false;
    return true;
}

TEST(ImageUpdate, CompositeFlattensVisibleLayersOrClearsWhenNoneIs) {
    Fixture f({kRed, kBlue});
    f.layers[1]->setOpacity(0.5f);
    f.image.update();
    EXPECT_TRUE(Uniform(f.image.composite(), MakeColor32(127, 0, 128, 255)));
    f.layers[0]->setVisible(false);
    f.layers[1]->setVisible(false);
    f.image.update();
    EXPECT_TRUE(Uniform(f.image.composite(), 0));
}

TEST(ImageUpdate, OnlyTheRectangleIsRecomposited) {
    Fixture f({kRed});
    f.layers[0]->pixels().fill(kBlue);
    f.image.update(Rect{1, 1, 3, 2});
    for (std::int32_t y = 0; y < 3; ++y)
        for (std::int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(f.image.composite().get(x, y), (x >= 1 && x < 3 && y == 1) ? kBlue : kRed);
}

TEST(ImageUpdate, TwentyFourBitPreviewSnapsAlphaAt128) {
    Fixture f({MakeColor32(10, 20, 30, 127)});
    f.image.setTargetFormat(TargetFormat::Rgb24);
    ASSERT_NE(f.image.targetPreview(), nullptr);
    f.layers[0]->pixels().set(1, 0, MakeColor32(10, 20, 30, 128));
    f.image.update();
    EXPECT_EQ(f.image.targetPreview()->get(0, 0), MakeColor32(10, 20, 30, 0));
    EXPECT_EQ(f.image.targetPreview()->get(1, 0), MakeColor32(10, 20, 30, 255));
}

TEST(ViewCaches, CountFollowsTheLayerCount) {
    for (int layers = 0; layers <= 4; ++layers) {
        Fixture f(std::vector<Color32>(static_cast<std::size_t>(layers), kRed));
        EXPECT_EQ(f.image.cacheCount(), layers < 2 ? 0 : (layers == 2 ? 1 : 2)) << layers;
    }
}

TEST(ViewCaches, HoldWhatLiesBelowAndAboveTheCurrentLayer) {
    Fixture f({kRed, kWhite, kBlue, MakeColor32(0, 255, 0, 255)});
    f.layers[3]->setOpacity(0.5f);
    f.image.setCurrentLayer(f.layers[1]);
    ASSERT_NE(f.image.validBelowCache(), nullptr);
    ASSERT_NE(f.image.validAboveCache(), nullptr);
    EXPECT_NE(f.image.validBelowCache(), f.image.validAboveCache());
    EXPECT_TRUE(Uniform(*f.image.validBelowCache(), kRed));
    // The lowest layer of the above run is copied, the next blended.
    EXPECT_TRUE(Uniform(*f.image.validAboveCache(), MakeColor32(0, 128, 127, 255)));

    f.image.setCurrentLayer(f.layers[0]); // nothing below: above takes the first cache
    EXPECT_EQ(f.image.validBelowCache(), nullptr);
    ASSERT_NE(f.image.validAboveCache(), nullptr);
    EXPECT_TRUE(Uniform(*f.image.validAboveCache(), MakeColor32(0, 128, 127, 255)));

    f.image.setCurrentLayer(f.layers[3]);
    EXPECT_EQ(f.image.validAboveCache(), nullptr);
    ASSERT_NE(f.image.validBelowCache(), nullptr);
    EXPECT_TRUE(Uniform(*f.image.validBelowCache(), kBlue));
}

TEST(ViewCaches, InvisibleRunsAndNoCurrentLayerLeaveThemInvalid) {
    Fixture f({kRed, kWhite});
    f.layers[0]->setVisible(false);
    f.image.setCurrentLayer(f.layers[1]);
    EXPECT_EQ(f.image.validBelowCache(), nullptr);
    EXPECT_EQ(f.image.validAboveCache(), nullptr);

    f.layers[0]->setVisible(true);
    f.image.update();
    EXPECT_NE(f.image.validBelowCache(), nullptr);
    f.image.removeLayer(f.layers[1]); // the current layer goes
    EXPECT_EQ(f.image.currentLayer(), nullptr);
    EXPECT_EQ(f.image.validBelowCache(), nullptr);
    EXPECT_EQ(f.image.validAboveCache(), nullptr);
    EXPECT_EQ(f.image.cacheCount(), 0);
}

TEST(ViewCaches, ACacheThatChangesRoleIsRebuiltWhole) {
    Fixture f({kRed, kWhite, kBlue});
    f.layers[0]->setVisible(false);
    f.image.setCurrentLayer(f.layers[1]); // the first cache holds the blue above
    ASSERT_NE(f.image.validAboveCache(), nullptr);
    // Showing the bottom layer again, with only a small rectangle updated:
    // the first cache now holds the red below, all of it.
    f.layers[0]->setVisible(true);
    f.image.update(Rect{0, 0, 1, 1});
    ASSERT_NE(f.image.validBelowCache(), nullptr);
    EXPECT_TRUE(Uniform(*f.image.validBelowCache(), kRed));
    ASSERT_NE(f.image.validAboveCache(), nullptr);
    EXPECT_TRUE(Uniform(*f.image.validAboveCache(), kBlue));
}

} // namespace
} // namespace kv
