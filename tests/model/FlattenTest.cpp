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
    Color32 flattenedAt(std::int32_t x, std::int32_t y) {
        PixelArray dst(image.width(), image.height());
        dst.fill(0xDEADBEEF);
        EXPECT_TRUE(Flatten(dst, image.bounds(), *layers.front(), *layers.back()));
        return dst.get(x, y);
    }
};

TEST(Flatten, OpacityAndModeTable) {
    struct LayerSpec {
        Color32 color;
        float opacity;
        BlendMode mode;
        bool visible;
    };
    struct Case {
        const char* what;
        std::vector<LayerSpec> layers;
        Color32 expected;
    };
    const auto normal = BlendMode::Normal;
    const Case cases[] = {
        {"blue over red", {{kRed, 1, normal, true}, {kBlue, 1, normal, true}}, kBlue},
        {"blue at 0.5 over red",
         {{kRed, 1, normal, true}, {kBlue, 0.5f, normal, true}},
         MakeColor32(127, 0, 128, 255)},
        {"lowest at 0.5", {{kRed, 0.5f, normal, true}}, MakeColor32(255, 0, 0, 128)},
        {"upper at 0 changes nothing", {{kRed, 1, normal, true}, {kBlue, 0, normal, true}}, kRed},
        {"lowest at 0 keeps its color",
         {{kRed, 0, normal, true}, {kBlue, 0, normal, true}},
         MakeColor32(255, 0, 0, 0)},
        {"invisible lowest: the next is copied",
         {{kRed, 1, normal, false}, {MakeColor32(0, 0, 255, 100), 1, normal, true}},
         MakeColor32(0, 0, 255, 100)},
        {"replace hides below, transparency included",
         {{kRed, 1, normal, true}, {MakeColor32(1, 2, 3, 0), 1, BlendMode::Replace, true}},
         MakeColor32(1, 2, 3, 0)},
        {"replace scales its alpha",
         {{kRed, 1, normal, true},
          {kBlue, 0.5f, BlendMode::Replace, true},
          {kRed, 0, normal, true}},
         MakeColor32(0, 0, 255, 128)},
    };
    for (const Case& c : cases) {
        Stack stack(2, 2);
        for (const LayerSpec& wanted : c.layers)
            stack.add(wanted.color, wanted.opacity, wanted.mode)->setVisible(wanted.visible);
        EXPECT_EQ(stack.flattenedAt(1, 1), c.expected) << c.what;
    }
}

TEST(Flatten, WritesOnlyInsideTheAreaAndOnlyWhenSomethingIsVisible) {
    Stack stack(4, 4);
    stack.add(kRed);
    stack.add(kBlue, 0.5f);
    PixelArray dst = Filled(4, 4, kWhite);
    EXPECT_TRUE(Flatten(dst, Rect{1, 1, 3, 9}, *stack.layers[0], *stack.layers[1]));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(dst.get(x, y),
                      (x >= 1 && x < 3 && y >= 1) ? MakeColor32(127, 0, 128, 255) : kWhite);

    for (Layer* layer : stack.layers)
        layer->setVisible(false);
    PixelArray untouched = Filled(4, 4, kWhite);
    EXPECT_FALSE(Flatten(untouched, untouched.bounds(), *stack.layers[0], *stack.layers[1]));
    EXPECT_EQ(untouched.get(2, 2), kWhite);
}

TEST(MergeLayerRun, PlainLayersMergeAtImageSize) {
    Stack stack(3, 2);
    stack.add(kRed);
    stack.add(kBlue, 0.5f);
    PixelArray work;
    EXPECT_FALSE(MergeLayerRun(work, *stack.layers[0], *stack.layers[1]));
    ASSERT_EQ(work.width(), 3);
    ASSERT_EQ(work.height(), 2);
    EXPECT_EQ(work.get(2, 1), MakeColor32(127, 0, 128, 255));

    for (Layer* layer : stack.layers)
        layer->setVisible(false);
    EXPECT_FALSE(MergeLayerRun(work, *stack.layers[0], *stack.layers[1]));
    EXPECT_EQ(work.get(0, 0), 0u);
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

    fine->setVisible(false); // an invisible supersampled layer does not count
    EXPECT_FALSE(MergeLayerRun(work, *stack.layers[0], *stack.layers[1]));
    EXPECT_EQ(work.width(), 2);
    EXPECT_EQ(work.get(1, 0), kWhite);
}

} // namespace
} // namespace kv
