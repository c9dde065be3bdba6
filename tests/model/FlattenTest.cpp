#include "CompositingTestSupport.h"
#include "model/Flattener.h"
#include "model/Image.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

using namespace kv::test;

// An image whose layers (bottom first) are solid colors.
struct Stack {
    Image image;
    std::vector<Layer*> layers;

    Stack(std::int32_t w, std::int32_t h, const std::vector<Color32>& colors = {}) {
        ImageUpdateLock lock(image);
        image.setSize(w, h);
        for (Color32 color : colors)
            add(color);
    }
    Layer* add(Color32 color, float opacity = 1.0f, BlendMode mode = BlendMode::Normal) {
        auto layer = SolidLayer(image.width(), image.height(), color, opacity, mode);
        Layer* raw = layer.get();
        image.insertLayer(std::move(layer));
        raw->pixels().fill(color); // insertion fits the layer, clearing it
        layers.push_back(raw);
        return raw;
    }
    void hideAll() {
        for (Layer* layer : layers)
            layer->setVisible(false);
    }
};

TEST(Flatten, OpacityAndModeTable) {
    struct LayerSetup {
        Color32 color;
        float opacity = 1;
        BlendMode mode = BlendMode::Normal;
        bool visible = true;
    };
    const auto replace = BlendMode::Replace;
    const struct {
        const char* what;
        std::vector<LayerSetup> layers;
        Color32 expected;
    } cases[] = {
        {"blue over red", {{kRed}, {kBlue}}, kBlue},
        {"blue at 0.5 over red", {{kRed}, {kBlue, 0.5f}}, kHalfBlueOverRed},
        {"lowest at 0.5", {{kRed, 0.5f}}, MakeColor32(255, 0, 0, 128)},
        {"upper at 0 changes nothing", {{kRed}, {kBlue, 0}}, kRed},
        {"lowest at 0 keeps its color", {{kRed, 0}, {kBlue, 0}}, MakeColor32(255, 0, 0, 0)},
        {"invisible lowest: the next is copied",
         {{kRed, 1, BlendMode::Normal, false}, {MakeColor32(0, 0, 255, 100)}},
         MakeColor32(0, 0, 255, 100)},
        {"replace hides below, transparency included",
         {{kRed}, {MakeColor32(1, 2, 3, 0), 1, replace}},
         MakeColor32(1, 2, 3, 0)},
        {"replace scales its alpha",
         {{kRed}, {kBlue, 0.5f, replace}, {kRed, 0}},
         MakeColor32(0, 0, 255, 128)},
    };
    for (const auto& c : cases) {
        Stack stack(2, 2);
        for (const LayerSetup& wanted : c.layers)
            stack.add(wanted.color, wanted.opacity, wanted.mode)->setVisible(wanted.visible);
        PixelArray dst = Filled(2, 2, 0xDEADBEEF);
        EXPECT_TRUE(
            Flatten(dst, stack.image.bounds(), *stack.layers.front(), *stack.layers.back()));
        EXPECT_TRUE(Uniform(dst, c.expected)) << c.what;
    }
}

TEST(Flatten, WritesOnlyInsideTheAreaAndOnlyWhenSomethingIsVisible) {
    Stack stack(4, 4);
    stack.add(kRed);
    stack.add(kBlue, 0.5f);
    PixelArray dst = Filled(4, 4, kWhite);
    EXPECT_TRUE(Flatten(dst, Rect{1, 1, 3, 9}, *stack.layers[0], *stack.layers[1]));
    EXPECT_TRUE(dst.sameContents(Raster(4, 4, [](auto x, auto y) {
        return (x >= 1 && x < 3 && y >= 1) ? kHalfBlueOverRed : kWhite;
    })));
    stack.hideAll();
    EXPECT_FALSE(Flatten(dst, dst.bounds(), *stack.layers[0], *stack.layers[1]));
    EXPECT_EQ(dst.get(0, 0), kWhite);
}

TEST(MergeLayerRun, AVisibleSupersampledLayerMakesTheWorkRasterDetailed) {
    Stack stack(2, 1);
    Layer* plain = stack.add(kRed);
    plain->pixels().set(1, 0, kWhite);
    Layer* fine = stack.add(0);
    fine->setSupersampled(true);
    PixelArray& detail = fine->editablePixels();
    ASSERT_EQ(detail.width(), 16);
    detail.fill(0);
    detail.set(3, 5, kBlue);

    PixelArray work;
    EXPECT_TRUE(MergeLayerRun(work, *stack.layers[0], *stack.layers[1]));
    ASSERT_EQ(work.width(), 16);
    ASSERT_EQ(work.height(), 8);
    EXPECT_EQ(work.get(3, 5), kBlue);
    EXPECT_EQ(work.get(2, 5), kRed);   // plain layer magnified 8 times
    EXPECT_EQ(work.get(8, 0), kWhite); // its second pixel starts at column 8
    EXPECT_EQ(work.get(15, 7), kWhite);

    // An invisible supersampled layer does not count: plain layers merge at image size.
    fine->setVisible(false);
    stack.add(kBlue, 0.5f);
    EXPECT_FALSE(MergeLayerRun(work, *stack.layers[0], *stack.layers[2]));
    ASSERT_EQ(work.width(), 2);
    ASSERT_EQ(work.height(), 1);
    EXPECT_EQ(work.get(0, 0), kHalfBlueOverRed);
    stack.hideAll();
    EXPECT_FALSE(MergeLayerRun(work, *stack.layers[0], *stack.layers[2]));
    EXPECT_EQ(work.get(0, 0), 0u);
}

TEST(ImageUpdate, CompositeFlattensVisibleLayersInsideTheRectangle) {
    Stack f(4, 3, {kRed, kBlue});
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
    Stack f(4, 3, {MakeColor32(10, 20, 30, 127)});
    f.image.setTargetFormat(TargetFormat::Rgb24);
    ASSERT_NE(f.image.targetPreview(), nullptr);
    f.layers[0]->pixels().set(1, 0, MakeColor32(10, 20, 30, 128));
    f.image.update();
    EXPECT_EQ(f.image.targetPreview()->get(0, 0), MakeColor32(10, 20, 30, 0));
    EXPECT_EQ(f.image.targetPreview()->get(1, 0), MakeColor32(10, 20, 30, 255));
}

TEST(ViewCaches, CountFollowsTheLayerCount) {
    for (int layers = 0; layers <= 4; ++layers) {
        Stack f(4, 3, std::vector<Color32>(static_cast<std::size_t>(layers), kRed));
        EXPECT_EQ(f.image.cacheCount(), layers < 2 ? 0 : (layers == 2 ? 1 : 2)) << layers;
    }
}

TEST(ViewCaches, HoldWhatLiesBelowAndAboveTheCurrentLayer) {
    Stack f(4, 3, {kRed, kWhite, kBlue, MakeColor32(0, 255, 0, 255)});
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
    Stack f(4, 3, {kRed, kWhite, kBlue});
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
