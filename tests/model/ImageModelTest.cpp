#include "CompositingTestSupport.h"
#include "model/Image.h"
#include "model/Layer.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

std::unique_ptr<Layer> LayerWith(std::uint32_t id) {
    auto layer = std::make_unique<Layer>();
    layer->setId(id);
    return layer;
}

std::vector<std::uint32_t> IdsBottomUp(const Image& image) {
    std::vector<std::uint32_t> ids;
    for (LayerBase* l = image.bottomLayer(); l; l = l->above())
        ids.push_back(l->id());
    return ids;
}

TEST(IdAssignment, NextIdAfterTheLargestOrTheSmallestGap) {
    const struct {
        std::vector<std::uint32_t> existing;
        std::uint32_t expected;
    } cases[] = {
        {{}, 1},  {{1, 2, 3}, 4},    {{2, 5}, 1},       {{1, 5}, 2},       {{3}, 1},
        {{1}, 2}, {{1, 2, 4, 9}, 3}, {{4, 3, 2, 1}, 5}, {{2, 3, 4, 5}, 1},
    };
    for (const auto& c : cases) {
        Image image;
        for (std::uint32_t id : c.existing)
            image.insertLayer(LayerWith(id));
        EXPECT_EQ(image.insertLayer(std::make_unique<Layer>())->id(), c.expected)
            << ::testing::PrintToString(c.existing);
    }
}

TEST(Image, InsertMoveAndRemoveKeepPositionsInStep) {
    Image image;
    image.setSize(3, 2);
    LayerBase* a = image.insertLayer(LayerWith(1));
    LayerBase* b = image.insertLayer(LayerWith(2));
    LayerBase* c = image.insertLayer(LayerWith(3), a); // directly below a: the new bottom
    using Ids = std::vector<std::uint32_t>;
    EXPECT_EQ(IdsBottomUp(image), (Ids{3, 1, 2}));
    EXPECT_EQ(c->position(), 1u);
    EXPECT_EQ(b->position(), 3u);
    EXPECT_EQ(a->below(), c);
    EXPECT_EQ(c->pixels().height(), 2); // fitted to the image

    image.moveLayer(c, nullptr); // to the top
    image.moveLayer(b, b);       // before itself: nothing
    EXPECT_EQ(IdsBottomUp(image), (Ids{1, 2, 3}));
    image.moveLayer(c, a);
    EXPECT_EQ(IdsBottomUp(image), (Ids{3, 1, 2}));

    image.setCurrentLayer(a);
    std::unique_ptr<LayerBase> removed = image.removeLayer(a);
    ASSERT_EQ(removed.get(), a);
    EXPECT_EQ(image.currentLayer(), nullptr);
    EXPECT_EQ(removed->owner(), nullptr);
    EXPECT_EQ(IdsBottomUp(image), (Ids{3, 2}));
    EXPECT_EQ(b->position(), 2u);
    EXPECT_EQ(image.removeLayer(removed.get()), nullptr); // not ours any more
}

TEST(Layer, SupersamplingReplicatesEveryLevelAndANewSizeClears) {
    Layer layer;
    layer.setSize(2, 1);
    layer.pixels().set(0, 0, 0xFF112233);
    layer.pixels().set(1, 0, 0x80445566);
    const std::size_t plain = layer.memorySize();
    layer.setSupersampled(true);
    EXPECT_TRUE(layer.editablePixels().sameContents(
        test::Raster(16, 8, [](auto x, auto) { return x < 8 ? 0xFF112233u : 0x80445566u; })));
    EXPECT_GT(layer.memorySize(), plain + 128 * 4) << "the levels count";
    layer.setSupersampled(false);
    EXPECT_EQ(layer.supersamplingFactor(), 0);
    EXPECT_EQ(layer.pixels().get(1, 0), 0x80445566u);

    layer.setSupersampled(true);
    layer.setSize(3, 1);
    EXPECT_EQ(layer.pixels().get(1, 0), 0u);
    EXPECT_EQ(layer.editablePixels().width(), 24);
}

} // namespace
} // namespace kv
