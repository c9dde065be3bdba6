// The edit actions one by one: what each does to the image, and how it
// fails. That undo gives back the earlier state is the random sessions'
// business; here only the cases those sessions cannot make.
#include "editing/ActionTestSupport.h"
#include "support/CapturingReporter.h"

#include "editing/actions/DeleteLayerAction.h"
#include "editing/actions/ImagePropertiesAction.h"
#include "editing/actions/LayerPropertiesAction.h"
#include "editing/actions/MergeLayersAction.h"
#include "editing/actions/MoveLayerAction.h"
#include "editing/actions/NewLayerAction.h"
#include "editing/history/ActionData.h"
#include "editing/records/LayerSnapshot.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

namespace kv {
namespace {
using namespace test;

constexpr Color32 kRed = MakeColor32(255, 0, 0, 255);
constexpr Color32 kGreen = MakeColor32(0, 255, 0, 255);
constexpr Color32 kBlue = MakeColor32(0, 0, 255, 255);

class EditActions : public ::testing::Test {
  protected:
    // Three layers, bottom to top filled red, green, blue; the top is current.
    void SetUp() override {
        image = MakeImage(8, 6, kRed);
        for (Color32 fill : {kGreen, kBlue}) {
            auto action = std::make_unique<NewLayerAction>(*image);
            ASSERT_TRUE(perform(action));
            CurrentLayer(*image).pixels().fill(fill);
            image->update();
            CommitSnapshots(*image);
        }
    }

    // On success the history owns the action and `action` is empty.
    template <typename A> bool perform(std::unique_ptr<A>& action) {
        std::unique_ptr<Action> owned = std::move(action);
        const bool ok = ManagerOf(*image).perform(image.get(), owned);
        action.reset(static_cast<A*>(owned.release()));
        return ok;
    }
    bool undo() { return ManagerOf(*image).undo(*image); }

    std::vector<std::uint32_t> ids() const {
        std::vector<std::uint32_t> out;
        for (std::int32_t i = 1; i <= image->layerCount(); ++i)
            out.push_back(image->layerAt(static_cast<std::uint32_t>(i))->id());
        return out;
    }

    std::unique_ptr<Image> image;
};

template <typename A> std::unique_ptr<Action> Make(Image& image) {
    return std::make_unique<A>(image);
}

// Each layer action names itself, leaves the layers in their new order and
// picks the current layer; its undo gives the earlier current layer back.
TEST_F(EditActions, LayerActionsNameThemselvesAndChooseTheCurrentLayer) {
    using Ids = std::vector<std::uint32_t>;
    const struct {
        std::uint32_t current;
        std::unique_ptr<Action> (*make)(Image&);
        const char* label;
        Ids after;
        std::uint32_t currentAfter;
    } cases[] = {
        {1, Make<DeleteLayerAction>, "Delete Layer", {2, 3}, 2}, // none below: the one above
        {2, Make<DeleteLayerAction>, "Delete Layer", {1, 3}, 1}, // the one below
        {3, Make<MoveLayerAction>, "Move Layer", {3, 1, 2}, 3},  // no target: to the bottom
        {3, Make<MergeLayersAction>, "Merge Layers", {1, 2}, 2}, // into the lower layer
        {2, Make<NewLayerAction>, "New Layer", {1, 2, 4, 3}, 4}, // above the current one
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        image->setCurrentLayer(image->findLayer(c.current));
        CommitSnapshots(*image);
        std::unique_ptr<Action> action = c.make(*image);
        EXPECT_EQ(action->label(), c.label);
        ASSERT_TRUE(perform(action));
        EXPECT_EQ(ids(), c.after);
        EXPECT_EQ(image->currentLayer()->id(), c.currentAfter);
        ASSERT_TRUE(undo());
        EXPECT_EQ(ids(), (Ids{1, 2, 3}));
        EXPECT_EQ(image->currentLayer()->id(), c.current);
    }
}

// Dialogs closed without changes and actions whose layer is gone or that
// have nothing to work on record nothing and change nothing.
TEST_F(EditActions, RefusedActionsRecordAndChangeNothing) {
    auto move = std::make_unique<MoveLayerAction>(*image);
    auto del = std::make_unique<DeleteLayerAction>(*image);
    ASSERT_TRUE(perform(del));
    const ImageState before = StateOf(*image);
    Action* undoItem = ManagerOf(*image).undoCursor();
    EXPECT_FALSE(perform(move)) << "its layer is gone";
    auto layerProps = std::make_unique<LayerPropertiesAction>(*image);
    layerProps->newValues.opacity += 0.0000001f; // below the tolerance
    EXPECT_FALSE(perform(layerProps));
    auto imageProps = std::make_unique<ImagePropertiesAction>(*image);
    EXPECT_FALSE(perform(imageProps));
    image->setCurrentLayer(image->bottomLayer());
    auto mergeBottom = std::make_unique<MergeLayersAction>(*image);
    EXPECT_FALSE(perform(mergeBottom)) << "nothing lies below the bottom layer";
    EXPECT_EQ(ManagerOf(*image).undoCursor(), undoItem);
    EXPECT_TRUE(StateOf(*image) == before);
    EXPECT_FALSE(image->updatesLocked());
}

TEST_F(EditActions, ACaptureThatFailsMakesTheFirstRedoFail) {
    CapturingReporter reporter;
    const ImageState before = StateOf(*image);
    const auto previous =
        ActionData::setBlockAllocator([](std::size_t) -> void* { return nullptr; });
    auto action = std::make_unique<DeleteLayerAction>(*image);
    const bool done = perform(action);
    ActionData::setBlockAllocator(previous);
    EXPECT_FALSE(done);
    EXPECT_TRUE(StateOf(*image) == before);
    EXPECT_FALSE(reporter.messages.empty());
    EXPECT_TRUE(perform(action)) << "the next run takes the record afresh";
}

TEST_F(EditActions, ErrorsInsideUndoLeaveTheImageUnlocked) {
    auto action = std::make_unique<DeleteLayerAction>(*image);
    ASSERT_TRUE(perform(action));
    image->setSize(3, 3); // behind the history's back: the record no longer fits
    EXPECT_THROW(undo(), CKVException);
    EXPECT_FALSE(image->updatesLocked());
    EXPECT_EQ(image->layerCount(), 2) << "the half-made layer is gone again";
    EXPECT_TRUE(LayerSnapshot::instance().matches(*image->currentLayer())) << "snapshots committed";
}

} // namespace
} // namespace kv
