#include "model/Image.h"
#include "model/Layer.h"
#include "model/Project.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

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

std::unique_ptr<Image> SizedImage(int w, int h) {
    auto image = std::make_unique<Image>();
    image->setSize(w, h);
    return image;
}

TEST(IdAssignment, NextIdAfterTheLargestOrTheSmallestGap) {
    struct Case {
        std::vector<std::uint32_t> existing;
        std::uint32_t expected;
    } cases[] = {
        {{}, 1},  {{1, 2, 3}, 4},    {{2, 5}, 1},       {{1, 5}, 2},       {{3}, 1},
        {{1}, 2}, {{1, 2, 4, 9}, 3}, {{4, 3, 2, 1}, 5}, {{2, 3, 4, 5}, 1},
    };
    for (const Case& c : cases) {
        auto image = SizedImage(2, 2);
        for (std::uint32_t id : c.existing)
            image->insertLayer(LayerWith(id));
        EXPECT_EQ(image->insertLayer(std::make_unique<Layer>())->id(), c.expected)
            << ::testing::PrintToString(c.existing);
    }
}

TEST(Image, NameNumbersAndDisplayNames) {
    auto image = SizedImage(4, 4);
    image->insertLayer(LayerWith(0, 1));
    image->insertLayer(LayerWith(0, 4));
    LayerBase* fresh = image->insertLayer(std::make_unique<Layer>());
    EXPECT_EQ(fresh->displayName(), "Layer 5");
    fresh->setName("Shadow");
    EXPECT_EQ(fresh->displayName(), "Shadow");
    fresh->setName(std::string(300, 'x'));
    EXPECT_EQ(fresh->displayName().size(), 255u);
}

TEST(Image, InsertMoveAndRemoveKeepPositionsInStep) {
    auto image = SizedImage(3, 2);
    LayerBase* a = image->insertLayer(LayerWith(1));
    LayerBase* b = image->insertLayer(LayerWith(2));
    LayerBase* c = image->insertLayer(LayerWith(3), a); // directly below a: the new bottom
    EXPECT_EQ(IdsBottomUp(*image), (std::vector<std::uint32_t>{3, 1, 2}));
    EXPECT_EQ(c->position(), 1u);
    EXPECT_EQ(b->position(), 3u);
    EXPECT_EQ(a->below(), c);
    EXPECT_EQ(a->above(), b);
    EXPECT_EQ(c->width(), 3); // fitted to the image
    EXPECT_EQ(c->pixels().height(), 2);

    image->moveLayer(c, nullptr); // to the top
    EXPECT_EQ(IdsBottomUp(*image), (std::vector<std::uint32_t>{1, 2, 3}));
    image->moveLayer(b, b); // before itself: nothing
    EXPECT_EQ(IdsBottomUp(*image), (std::vector<std::uint32_t>{1, 2, 3}));
    image->moveLayer(c, a);
    EXPECT_EQ(IdsBottomUp(*image), (std::vector<std::uint32_t>{3, 1, 2}));

    image->setCurrentLayer(a);
    std::unique_ptr<LayerBase> removed = image->removeLayer(a);
    ASSERT_EQ(removed.get(), a);
    EXPECT_EQ(image->currentLayer(), nullptr);
    EXPECT_EQ(image->validBelowCache(), nullptr);
    EXPECT_EQ(image->validAboveCache(), nullptr);
    EXPECT_EQ(removed->owner(), nullptr);
    EXPECT_EQ(removed->below(), nullptr);
    EXPECT_EQ(IdsBottomUp(*image), (std::vector<std::uint32_t>{3, 2}));
    EXPECT_EQ(b->position(), 2u);
    EXPECT_EQ(image->removeLayer(removed.get()), nullptr); // not ours any more
    EXPECT_EQ(image->findLayer(2), b);
    EXPECT_EQ(image->findLayer(1), nullptr);
}

TEST(Image, NestedUpdateLocksUpdateOnceAtTheEnd) {
    auto image = SizedImage(2, 2);
    image->setTargetFormat(TargetFormat::Rgb24);
    image->lockUpdates();
    image->lockUpdates();
    image->insertLayer(std::make_unique<Layer>());
    image->insertLayer(std::make_unique<Layer>());
    EXPECT_EQ(image->cacheCount(), 0); // no update ran
    image->unlockUpdates();
    EXPECT_EQ(image->cacheCount(), 0);
    EXPECT_TRUE(image->updatesLocked());
    image->unlockUpdates();
    EXPECT_FALSE(image->updatesLocked());
    EXPECT_EQ(image->cacheCount(), 1);
    image->unlockUpdates(); // never below zero
    EXPECT_EQ(image->updateLockCount(), 0);
    {
        ImageUpdateLock lock(*image);
        image->lockUpdates();
        image->unlockUpdatesQuietly();
        EXPECT_EQ(image->updateLockCount(), 1);
    }
    EXPECT_EQ(image->updateLockCount(), 0);
}

// The total must follow its parts; a part left out of the sum shows here.
TEST(Image, MemorySizeGrowsByEachPart) {
    auto image = SizedImage(4, 2);
    const std::size_t empty = image->memorySize();
    LayerBase* layer = image->insertLayer(std::make_unique<Layer>());
    EXPECT_EQ(image->memorySize(), empty + layer->memorySize());
    image->setTargetFormat(TargetFormat::Palette4);
    EXPECT_EQ(image->memorySize(), empty + layer->memorySize() + image->palette()->memorySize() +
                                       image->targetPreview()->memorySize());
}

TEST(Layer, SupersamplingReplicatesEveryLevel) {
    auto image = SizedImage(2, 1);
    auto* layer = static_cast<Layer*>(image->insertLayer(std::make_unique<Layer>()));
    layer->pixels().set(0, 0, 0xFF112233);
    layer->pixels().set(1, 0, 0x80445566);
    const std::size_t plain = layer->memorySize();
    layer->setSupersampled(true);
    EXPECT_EQ(layer->supersamplingFactor(), 3);
    const PixelArray& detail = layer->editablePixels();
    ASSERT_EQ(detail.width(), 16);
    ASSERT_EQ(detail.height(), 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(detail.get(x, y), x < 8 ? 0xFF112233u : 0x80445566u) << x << "," << y;
    EXPECT_GT(layer->memorySize(), plain + 128 * 4) << "the levels count";
    layer->setSupersampled(false);
    EXPECT_EQ(layer->supersamplingFactor(), 0);
    EXPECT_EQ(layer->pixels().get(1, 0), 0x80445566u);
    EXPECT_EQ(&layer->editablePixels(), &layer->pixels());
}

TEST(Layer, NewSizeClearsPixelsAndResizesLevels) {
    Layer layer;
    layer.setSize(2, 2);
    layer.pixels().fill(0xFFFFFFFF);
    layer.setSupersampled(true);
    layer.setSize(3, 1);
    EXPECT_EQ(layer.pixels().get(2, 0), 0u);
    EXPECT_EQ(layer.editablePixels().width(), 24);
    EXPECT_EQ(layer.editablePixels().height(), 8);
}

TEST(Project, ImagesGetIdsPositionsAndUnsavedState) {
    Project project;
    EXPECT_EQ(project.name(), "UNTITLED");
    EXPECT_FALSE(project.hasUnsavedChanges());
    Image* a = project.addImage(std::make_unique<Image>());
    Image* b = project.addImage(std::make_unique<Image>());
    auto c0 = std::make_unique<Image>();
    c0->setId(7);
    Image* c = project.addImage(std::move(c0));
    EXPECT_EQ(a->id(), 1u);
    EXPECT_EQ(b->id(), 2u);
    EXPECT_EQ(c->id(), 7u);
    EXPECT_EQ(project.addImage(std::make_unique<Image>())->id(), 3u);
    EXPECT_EQ(project.currentImage(), nullptr);
    EXPECT_EQ(c->position(), 3u);

    project.moveImage(c, a);
    EXPECT_EQ(project.imageAt(1), c);
    EXPECT_EQ(a->position(), 2u);

    project.setCurrentImage(c);
    auto removed = project.removeImage(c);
    EXPECT_EQ(project.currentImage(), nullptr);
    EXPECT_EQ(removed->owner(), nullptr);
    EXPECT_EQ(a->position(), 1u);
    EXPECT_EQ(project.imageCount(), 3);

    project.markSaved();
    EXPECT_FALSE(project.hasUnsavedChanges());
    b->setForExport(false);
    EXPECT_TRUE(project.hasUnsavedChanges());
    project.markSaved();
    EXPECT_FALSE(b->modified());
    EXPECT_GT(project.memorySize(), a->memorySize() + b->memorySize());
}

} // namespace
} // namespace kv
