// Before-edit snapshots, and undo records made against them: random edits
// recorded as differences must undo and redo bit-exactly.
#include "editing/Action.h"
#include "editing/ActionManager.h"
#include "editing/ActionRegistry.h"
#include "editing/LayerSnapshot.h"
#include "editing/RegionRecord.h"
#include "editing/SelectionSnapshot.h"
#include "editing/Snapshots.h"
#include "model/Image.h"
#include "model/Layer.h"

#include <gtest/gtest.h>

#include <random>

namespace kv {
namespace {

std::unique_ptr<Image> MakeImage(std::int32_t w, std::int32_t h, bool supersampled) {
    auto image = std::make_unique<Image>();
    image->setSize(w, h);
    auto* layer = static_cast<Layer*>(image->insertLayer(std::make_unique<Layer>()));
    layer->pixels().fill(0xFF204060);
    layer->setSupersampled(supersampled);
    image->setCurrentLayer(layer);
    image->update();
    return image;
}

Layer& Current(Image& image) {
    return *static_cast<Layer*>(image.currentLayer());
}

TEST(Snapshots, SecondEditReusesTheCommittedCopy) {
    auto image = MakeImage(6, 5, false);
    ASSERT_TRUE(EnsureSnapshots(*image));
    LayerSnapshot& snapshot = LayerSnapshot::instance();
    EXPECT_TRUE(snapshot.pixels().sameContents(Current(*image).pixels()));

    Current(*image).pixels().set(1, 1, 7); // first stroke
    ASSERT_TRUE(CommitSnapshots(*image));
    const Color32* storage = snapshot.pixels().data();
    Current(*image).pixels().set(2, 2, 9); // second stroke, before its snapshot check
    ASSERT_TRUE(EnsureSnapshots(*image));
    EXPECT_EQ(snapshot.pixels().data(), storage);
    EXPECT_EQ(snapshot.pixels().get(1, 1), 7u);
    EXPECT_EQ(snapshot.pixels().get(2, 2), 0xFF204060u)
        << "the copy from the commit, not a new one";
}

// A difference of the current layer and of the selection against the
// snapshots, as a drawing tool would record it.
class DiffAction : public Action {
  public:
    DiffAction(Image& image, const Rect& rect) : Action(&image, "Edit") {
        const LayerSnapshot& layer = LayerSnapshot::instance();
        m_pixels = CaptureRegion(Current(image).editablePixels(), &rect, &layer.pixels());
        m_mask =
            CaptureMask(image.selection()->editableMask(), &SelectionSnapshot::instance().mask());
    }
    bool valid() const { return m_pixels && m_mask; }
    bool redo(Image& image) override { return apply(image, RestoreMode::Add); }
    bool undo(Image& image) override { return apply(image, RestoreMode::Subtract); }

  private:
    bool apply(Image& image, RestoreMode mode) {
        auto* layer = dynamic_cast<Layer*>(image.findLayer(static_cast<std::uint32_t>(layerId())));
        if (!layer) return false;
        Selection& selection = *image.selection();
        const bool ok = RestoreRegion(m_pixels.get(), layer->editablePixels(), mode) &&
                        RestoreMask(m_mask.get(), selection.editableMask(), mode);
        selection.refreshFromDetail();
        return ok;
    }
    std::unique_ptr<RegionRecord> m_pixels;
    std::unique_ptr<RegionRecord> m_mask;
};

struct State {
    PixelArray pixels;
    MaskArray mask;
    bool matches(Image& image) const {
        return pixels.sameContents(Current(image).editablePixels()) &&
               mask.sameContents(image.selection()->editableMask());
    }
};

State Save(Image& image) {
    State s;
    s.pixels.assign(Current(image).editablePixels());
    s.mask.assign(image.selection()->editableMask());
    return s;
}

class RandomEdits : public ::testing::TestWithParam<bool> {};

TEST_P(RandomEdits, UndoAllAndRedoAllAreBitExact) {
    ActionRegistry::instance().setLimits(UndoLimits{});
    auto image = MakeImage(37, 29, GetParam());
    ActionManager manager;
    std::mt19937 rng(GetParam() ? 88 : 11);
    std::vector<State> states;
    states.push_back(Save(*image));
    PixelArray& pixels = Current(*image).editablePixels();
    MaskArray& mask = image->selection()->editableMask();
    const int steps = 30;
    for (int step = 0; step < steps; ++step) {
        ASSERT_TRUE(EnsureSnapshots(*image));
        // Rectangles may hang over the edges (the capture clips them) but
        // always touch the raster, as a stroke's rectangle does.
        const std::int32_t x0 = static_cast<std::int32_t>(rng() % (pixels.width() + 10)) - 10;
        const std::int32_t y0 = static_cast<std::int32_t>(rng() % (pixels.height() + 10)) - 10;
        const Rect rect{x0, y0, x0 + 11 + static_cast<std::int32_t>(rng() % 90),
                        y0 + 11 + static_cast<std::int32_t>(rng() % 90)};
        const Rect inside = rect.intersected(pixels.bounds());
        for (std::int32_t y = inside.top; y < inside.bottom; ++y)
            for (std::int32_t x = inside.left; x < inside.right; ++x)
                if (rng() % 3 == 0) pixels.set(x, y, rng());
        if (step % 4 == 0)
            mask.set(static_cast<std::int32_t>(rng() % mask.width()),
                     static_cast<std::int32_t>(rng() % mask.height()),
                     static_cast<std::uint8_t>(rng()));
        auto action = std::make_unique<DiffAction>(*image, rect);
        ASSERT_TRUE(action->valid());
        manager.record(std::move(action));
        ASSERT_TRUE(CommitSnapshots(*image));
        states.push_back(Save(*image));
    }
    ASSERT_EQ(manager.count(), steps);
    for (int round = 0; round < 2; ++round) {
        for (int i = steps; i > 0; --i) {
            ASSERT_TRUE(manager.undo(*image));
            ASSERT_TRUE(states[i - 1].matches(*image)) << "undo to state " << i - 1;
        }
        for (int i = 1; i <= steps; ++i) {
            ASSERT_TRUE(manager.redo(*image));
            ASSERT_TRUE(states[i].matches(*image)) << "redo to state " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, RandomEdits, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Detail8x" : "Plain"; });

} // namespace
} // namespace kv
