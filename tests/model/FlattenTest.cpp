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

    Stack(std::int32_t w, std::int32_t h) { image.setSize(w, h); }
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
    struct LayerSpec {
        Color32 color;
        float opacity;
        BlendMode mode;
        bool visible;
    };
    const auto normal = BlendMode::Normal, replace = BlendMode::Replace;
    const struct {
        const char* what;
        std::vector<LayerSpec> layers;
        Color32 expected;
    } cases[] = {
        {"blue over red", {{kRed, 1, normal, true}, {kBlue, 1, normal, true}}, kBlue},
        {"blue at 0.5 over red",
         {{kRed, 1, normal, true}, {kBlue, 0.5f, normal, true}},
         kHalfBlueOverRed},
        {"lowest at 0.5", {{kRed, 0.5f, normal, true}}, MakeColor32(255, 0, 0, 128)},
        {"upper at 0 changes nothing", {{kRed, 1, normal, true}, {kBlue, 0, normal, true}}, kRed},
        {"lowest at 0 keeps its color",
         {{kRed, 0, normal, true}, {kBlue, 0, normal, true}},
         MakeColor32(255, 0, 0, 0)},
        {"invisible lowest: the next is copied",
         {{kRed, 1, normal, false}, {MakeColor32(0, 0, 255, 100), 1, normal, true}},
         MakeColor32(0, 0, 255, 100)},
        {"replace hides below, transparency included",
         {{kRed, 1, normal, true}, {MakeColor32(1, 2, 3, 0), 1, replace, true}},
         MakeColor32(1, 2, 3, 0)},
        {"replace scales its alpha",
         {{kRed, 1, normal, true}, {kBlue, 0.5f, replace, true}, {kRed, 0, normal, true}},
         MakeColor32(0, 0, 255, 128)},
    };
    for (const auto& c : cases) {
        Stack stack(2, 2);
        for (const LayerSpec& wanted : c.layers)
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

} // namespace
} // namespace kv
