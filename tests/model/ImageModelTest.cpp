#include "CompositingTestSupport.h"
#include "model/Image.h"
#include "model/ImageHistory.h"
#include "model/Layer.h"
#include "model/Project.h"
#include "support/CapturingReporter.h"
#include "support/FailingAllocations.h"

#include <gtest/gtest.h>

#include <optional>

namespace kv {
namespace {

std::unique_ptr<Layer> LayerWith(std::uint32_t id, std::uint32_t nameNumber = 0) {
    auto layer = std::make_unique<Layer>();
    layer->setId(id);
    layer->setNameNumber(nameNumber);
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

TEST(Image, NameNumbersAndDisplayNames) {
    Image image;
    image.insertLayer(LayerWith(0, 1));
    image.insertLayer(LayerWith(0, 4));
    LayerBase* fresh = image.insertLayer(std::make_unique<Layer>());
    EXPECT_EQ(fresh->displayName(), "Layer 5");
    fresh->setName(std::string(300, 'x'));
    EXPECT_EQ(fresh->displayName().size(), 255u);
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
    EXPECT_EQ(IdsBottomUp(image), (Ids{1, 2, 3}));
    image.moveLayer(b, b); // before itself: nothing
    EXPECT_EQ(IdsBottomUp(image), (Ids{1, 2, 3}));
    image.moveLayer(c, a);
    EXPECT_EQ(IdsBottomUp(image), (Ids{3, 1, 2}));

    image.setCurrentLayer(a);
    std::unique_ptr<LayerBase> removed = image.removeLayer(a);
    ASSERT_EQ(removed.get(), a);
    EXPECT_EQ(image.currentLayer(), nullptr);
    EXPECT_EQ(image.validBelowCache(), nullptr);
    EXPECT_EQ(image.validAboveCache(), nullptr);
    EXPECT_EQ(removed->owner(), nullptr);
    EXPECT_EQ(removed->below(), nullptr);
    EXPECT_EQ(IdsBottomUp(image), (Ids{3, 2}));
    EXPECT_EQ(b->position(), 2u);
    EXPECT_EQ(image.removeLayer(removed.get()), nullptr); // not ours any more
    EXPECT_EQ(image.findLayer(2), b);
    EXPECT_EQ(image.findLayer(1), nullptr);
}

// Like the palette and the action manager, a selection that cannot be created
// is reported and left null, and the image works on without one.
TEST(Image, SelectionThatCannotBeCreatedIsReportedAndLeftNull) {
    SetImageHistoryFactory(nullptr); // no history: the selection is the first allocation
    test::CapturingReporter reporter;
    std::optional<Image> image;
    {
        test::FailingAllocations failing(0, 1);
        image.emplace();
    }
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Selection creation failed"});
    EXPECT_EQ(reporter.titles[0], "Korvane :: Error");
    EXPECT_EQ(image->selection(), nullptr);
    const std::size_t before = image->memorySize();
    {
        ImageUpdateLock lock(*image);
        image->setSize(4, 4);
        auto layer = std::make_unique<Layer>();
        layer->setSupersampled(true);
        image->insertLayer(std::move(layer));
    }
    image->update(Rect{1, 1, 2, 2});
    EXPECT_EQ(image->selection(), nullptr);
    EXPECT_GT(image->memorySize(), before);
    EXPECT_EQ(reporter.messages.size(), 1u);
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
    EXPECT_EQ(layer.editablePixels().height(), 8);
    // Painted detail does not survive a new size either, even where the
    // storage is kept (the same pixel count).
    layer.editablePixels().fill(0xFF000000u);
    layer.setSize(1, 3);
    layer.refreshFromDetail(nullptr);
    EXPECT_TRUE(
        layer.editablePixels().sameContents(test::Raster(8, 24, [](auto, auto) { return 0u; })));
    EXPECT_EQ(layer.pixels().get(0, 2), 0u);
}

TEST(Project, ImagesGetIdsPositionsAndUnsavedState) {
    Project project;
    Image* a = project.addImage(std::make_unique<Image>());
    Image* b = project.addImage(std::make_unique<Image>());
    auto seven = std::make_unique<Image>();
    seven->setId(7);
    Image* c = project.addImage(std::move(seven));
    EXPECT_EQ(b->id(), 2u);
    EXPECT_EQ(c->id(), 7u);
    EXPECT_EQ(project.addImage(std::make_unique<Image>())->id(), 3u);
    EXPECT_EQ(c->position(), 3u);

    project.moveImage(c, a);
    EXPECT_EQ(project.imageAt(1), c);
    EXPECT_EQ(a->position(), 2u);
    project.setCurrentImage(c);
    auto removed = project.removeImage(c);
    EXPECT_EQ(project.currentImage(), nullptr);
    EXPECT_EQ(removed->owner(), nullptr);
    EXPECT_EQ(a->position(), 1u);

    project.markSaved();
    EXPECT_FALSE(project.hasUnsavedChanges());
    b->setForExport(false);
    EXPECT_TRUE(project.hasUnsavedChanges());
    project.markSaved();
    EXPECT_FALSE(b->modified());
}

} // namespace
} // namespace kv
