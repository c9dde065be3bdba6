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
    fine->editablePixels().fill(0);
    fine->editablePixels().set(3, 5, kBlue);

    PixelArray work;
    EXPECT_TRUE(MergeLayerRun(work, *stack.layers[0], *stack.layers[1]));
    ASSERT_EQ(work.width(), 16);
    ASSERT_EQ(work.height(), 8);
    EXPECT_EQ(work.get(3, 5), kBlue);
    EXPECT_EQ(work.get(2, 5), kRed);   // plain layer magnified 8 times
    EXPECT_EQ(work.get(8, 0), kWhite); // its second pixel starts at column 8

    // An invisible supersampled layer does not count: plain layers merge at image size.
    fine->setVisible(false);
    EXPECT_FALSE(MergeLayerRun(work, *stack.layers[0], *stack.layers[1]));
    EXPECT_EQ(work.width(), 2);
}

// The caches hold the flattened runs below and above the current layer, the
// composite all of them, after every update of part of the image. A
// cache that changes role (the first one going from above to below) must be
// rebuilt whole, even when only a small rectangle is updated.
TEST(ViewCaches, MatchAFreshFlattenAfterEditsBelowAndAbove) {
    Stack f(4, 3, {kRed, kWhite, kBlue, MakeColor32(0, 255, 0, 255)});
    f.layers[3]->setOpacity(0.5f);
    f.layers[0]->setVisible(false);
    f.image.update();
    f.image.setCurrentLayer(f.layers[1]);
    const auto expectFresh = [&](const PixelArray* cache, Layer* first, Layer* last) {
        PixelArray fresh = Filled(4, 3, 0);
        Flatten(fresh, f.image.bounds(), *first, *last);
        ASSERT_NE(cache, nullptr);
        EXPECT_TRUE(cache->sameContents(fresh));
        fresh.fill(0);
        Flatten(fresh, f.image.bounds(), *f.layers[0], *f.layers[3]);
        EXPECT_TRUE(f.image.composite().sameContents(fresh)) << "composite";
    };
    EXPECT_EQ(f.image.validBelowCache(), nullptr);
    expectFresh(f.image.validAboveCache(), f.layers[2], f.layers[3]);
    EXPECT_TRUE(Uniform(*f.image.validAboveCache(), MakeColor32(0, 128, 127, 255)));

    f.layers[0]->setVisible(true);
    f.layers[0]->pixels().set(2, 2, kWhite);
    f.image.update(Rect{2, 2, 3, 3});
    EXPECT_NE(f.image.validBelowCache(), f.image.validAboveCache());
    expectFresh(f.image.validBelowCache(), f.layers[0], f.layers[0]);
    expectFresh(f.image.validAboveCache(), f.layers[2], f.layers[3]);

    f.layers[2]->pixels().fillRect(Rect{0, 0, 2, 3}, kRed);
    f.layers[3]->pixels().set(1, 1, 0);
    f.image.update(Rect{0, 0, 2, 3});
    expectFresh(f.image.validBelowCache(), f.layers[0], f.layers[0]);
    expectFresh(f.image.validAboveCache(), f.layers[2], f.layers[3]);
}

} // namespace
} // namespace kv
