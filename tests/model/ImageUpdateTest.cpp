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
            layers.push_back(image.insertLayer(SolidLayer(4, 3, 0)));
            layers.back()->pixels().fill(color);
        }
    }
};

TEST(ImageUpdate, CompositeFlattensVisibleLayersInsideTheRectangle) {
    Fixture f({kRed, kBlue});
    f.layers[1]->setOpacity(0.5f);
    f.image.update();
    EXPECT_TRUE(Uniform(f.image.composite(), kHalfBlueOverRed));
    f.layers[1]->setOpacity(1.0f);
    f.image.update(Rect{1, 1, 3, 2});
    EXPECT_TRUE(f.image.composite().sameContents(Raster(4, 3, [](auto x, auto y) {
        return x >= 1 && x < 3 && y == 1 ? kBlue : kHalfBlueOverRed;
    })));
    f.layers[0]->setVisible(false);
    f.layers[1]->setVisible(false);
    f.image.update();
    EXPECT_TRUE(Uniform(f.image.composite(), 0));
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
    const Color32 halfGreenOverBlue = MakeColor32(0, 128, 127, 255);
    f.image.setCurrentLayer(f.layers[1]);
    ASSERT_NE(f.image.validBelowCache(), nullptr);
    ASSERT_NE(f.image.validAboveCache(), nullptr);
    EXPECT_NE(f.image.validBelowCache(), f.image.validAboveCache());
    EXPECT_TRUE(Uniform(*f.image.validBelowCache(), kRed));
    // The lowest layer of the above run is copied, the next blended.
    EXPECT_TRUE(Uniform(*f.image.validAboveCache(), halfGreenOverBlue));

    f.image.setCurrentLayer(f.layers[0]); // nothing below: above takes the first cache
    EXPECT_EQ(f.image.validBelowCache(), nullptr);
    ASSERT_NE(f.image.validAboveCache(), nullptr);
    EXPECT_TRUE(Uniform(*f.image.validAboveCache(), halfGreenOverBlue));

    f.image.setCurrentLayer(f.layers[3]);
    EXPECT_EQ(f.image.validAboveCache(), nullptr);
    ASSERT_NE(f.image.validBelowCache(), nullptr);
    EXPECT_TRUE(Uniform(*f.image.validBelowCache(), kBlue));
}

TEST(ViewCaches, InvisibleRunsLeaveThemInvalidAndACacheChangingRoleIsRebuiltWhole) {
    Fixture f({kRed, kWhite, kBlue});
    f.layers[0]->setVisible(false);
    f.layers[2]->setVisible(false);
    f.image.setCurrentLayer(f.layers[1]);
    EXPECT_EQ(f.image.validBelowCache(), nullptr);
    EXPECT_EQ(f.image.validAboveCache(), nullptr);

    f.layers[2]->setVisible(true);
    f.image.update();
    ASSERT_NE(f.image.validAboveCache(), nullptr); // the first cache holds the blue above
    // Showing the bottom layer again, with only a small rectangle updated:
    // the first cache now holds the red below, all of it.
    f.layers[0]->setVisible(true);
    f.image.update(Rect{0, 0, 1, 1});
    ASSERT_NE(f.image.validBelowCache(), nullptr);
    EXPECT_TRUE(Uniform(*f.image.validBelowCache(), kRed));
    ASSERT_NE(f.image.validAboveCache(), nullptr);
    EXPECT_TRUE(Uniform(*f.image.validAboveCache(), kBlue));

    f.image.removeLayer(f.layers[1]); // the current layer goes
    EXPECT_EQ(f.image.currentLayer(), nullptr);
    EXPECT_EQ(f.image.validBelowCache(), nullptr);
    EXPECT_EQ(f.image.validAboveCache(), nullptr);
    EXPECT_EQ(f.image.cacheCount(), 1);
}

} // namespace
} // namespace kv
