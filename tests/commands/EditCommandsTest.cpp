#include "CommandTestSupport.h"

#include "commands/edit/EditCommands.h"
#include "commands/edit/EraseSelection.h"
#include "commands/image/LayerCommands.h"

namespace kv::test {
namespace {

constexpr Color32 kPaint = MakeColor32(100, 150, 200, 200);

class EditCommandsTest : public CommandTest {
  protected:
    EditCommandsTest() {
        openProject(MakeProject(1, 8, 6));
        CurrentLayer(image()).pixels().fill(kPaint);
        image().update();
        CommitSnapshots(image());
    }
    Color32 pixel(std::int32_t x, std::int32_t y) {
        return image().currentLayer()->pixels().get(x, y);
    }
    EditCommands commands{host};
};

TEST_F(EditCommandsTest, UndoAndRedoItemsFollowTheHistory) {
    SelectRect(image(), {0, 0, 2, 2});
    ASSERT_TRUE(commands.erase());
    EXPECT_EQ(commands.undoText(), "&Undo Erase");
    ASSERT_TRUE(commands.undo());
    EXPECT_EQ(pixel(0, 0), kPaint);
    ASSERT_TRUE(commands.redo());
    EXPECT_EQ(pixel(0, 0), 0u);
}

TEST_F(EditCommandsTest, EraseNeedsASelectionAndAVisibleLayer) {
    EXPECT_FALSE(commands.erase());
    SelectRect(image(), {1, 1, 3, 3});
    image().currentLayer()->setVisible(false);
    EXPECT_FALSE(commands.erase());
    EXPECT_EQ(ManagerOf(image()).count(), 0);
}

TEST_F(EditCommandsTest, ErasedPixelsByChannelMode) {
    struct Case {
        ChannelMode mode;
        std::uint32_t mask;
        Color32 expected;
    } cases[] = {
        {ChannelMode::Normal, 255, 0},
        {ChannelMode::ColorOnly, 255, MakeColor32(0, 0, 0, 200)},
        // Alpha only leaves the colour untouched.
        {ChannelMode::AlphaOnly, 255, MakeColor32(100, 150, 200, 0)},
        {ChannelMode::ColorOnly, 51, MakeColor32(80, 120, 160, 200)},
        // A partial erase keeps the colour and takes what the alpha-only one takes.
        {ChannelMode::Normal, 51, MakeColor32(100, 150, 200, 160)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErasedPixel(kPaint, c.mask, c.mode), c.expected)
            << static_cast<int>(c.mode) << " under " << c.mask;
}

TEST_F(EditCommandsTest, EraseUsesTheViewsModeAndTheSelectionsCoverage) {
    Selection& selection = *image().selection();
    selection.mask().fillRect({0, 0, 4, 2}, 255);
    selection.mask().set(5, 5, 51);
    selection.refreshFromDetail(nullptr);
    selection.setActive(true);
    CommitSnapshots(image());
    host.mode = ChannelMode::AlphaOnly;
    ASSERT_TRUE(commands.erase());
    EXPECT_EQ(pixel(3, 1), MakeColor32(100, 150, 200, 0));
    EXPECT_EQ(pixel(5, 5), MakeColor32(100, 150, 200, 160));
    EXPECT_EQ(pixel(4, 1), kPaint) << "outside the selection";
    EXPECT_EQ(image().composite().get(3, 1), pixel(3, 1)) << "the image was updated";
}

TEST_F(EditCommandsTest, SelectAllDeselectAndInvert) {
    const Selection& selection = *image().selection();
    EXPECT_FALSE(commands.deselect());

    SelectRect(image(), {0, 0, 8, 3});
    const ImageState half = StateOf(image());
    ASSERT_TRUE(commands.invertSelection());
    EXPECT_EQ(UndoLabel(image()), "Invert Selection");
    EXPECT_EQ(selection.levelZeroBounds(), (Rect{0, 3, 8, 6}));
    ASSERT_TRUE(commands.selectAll());
    EXPECT_TRUE(selection.full());
    ASSERT_TRUE(commands.invertSelection());
    EXPECT_FALSE(selection.active()) << "an emptied selection is dropped";
    ASSERT_TRUE(commands.selectAll());
    ASSERT_TRUE(commands.deselect());
    EXPECT_TRUE(selection.empty());
    EXPECT_EQ(host.refreshes[RefreshScope::Selection], 5);

    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(commands.undo());
    EXPECT_EQ(Difference(half, StateOf(image())), "");
}

} // namespace
} // namespace kv::test
