#include "CommandTestSupport.h"

#include "commands/image/ImageCommands.h"

namespace kv::test {
namespace {

class ImageCommandsTest : public CommandTest {
  protected:
    ImageCommands commands{host};

    std::vector<std::uint32_t> order() const {
        std::vector<std::uint32_t> ids;
        for (std::int32_t i = 1; i <= project()->imageCount(); ++i)
            ids.push_back(project()->imageAt(static_cast<std::uint32_t>(i))->id());
        return ids;
    }
    void makeCurrent(std::uint32_t position) {
        project()->setCurrentImage(project()->imageAt(position));
        CommitSnapshots(image());
    }
};

TEST_F(ImageCommandsTest, NextImageBringsTheSnapshotsAlong) {
    auto p = MakeProject(1);
    p->addImage(MakeImage(8, 6, 0xFF00FF00));
    openProject(std::move(p));
    EXPECT_FALSE(commands.previous());
    ASSERT_TRUE(commands.next());
    EXPECT_FALSE(commands.next());
    EXPECT_TRUE(LayerSnapshot::instance().pixels().sameContents(image().currentLayer()->pixels()))
        << "same size, other pixels: the snapshot must be taken again";
}

TEST_F(ImageCommandsTest, MoveUpAndDown) {
    openProject(MakeProject(4));
    makeCurrent(3);
    ASSERT_TRUE(commands.moveDown());
    EXPECT_EQ(order(), (std::vector<std::uint32_t>{1, 2, 4, 3})) << "to the end";
    EXPECT_FALSE(commands.moveDown());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(commands.moveUp());
    EXPECT_EQ(order(), (std::vector<std::uint32_t>{3, 1, 2, 4}));
    EXPECT_FALSE(commands.moveUp());
    EXPECT_EQ(image().id(), 3u) << "the moved image stays current";
}

TEST_F(ImageCommandsTest, DeleteAsksAndTheNextOrPreviousImageFollows) {
    openProject(MakeProject(3));
    makeCurrent(2);
    host.answers = {MessageResult::No};
    EXPECT_FALSE(commands.deleteImage());
    ASSERT_TRUE(commands.deleteImage()); // the default answer, Yes
    EXPECT_EQ(order(), (std::vector<std::uint32_t>{1, 3}));
    EXPECT_EQ(image().id(), 3u) << "the next image";
    ASSERT_TRUE(commands.deleteImage());
    EXPECT_EQ(image().id(), 1u) << "the previous one at the end";
    ASSERT_TRUE(commands.deleteImage());
    EXPECT_TRUE(LayerSnapshot::instance().pixels().isEmpty());
}

TEST_F(ImageCommandsTest, NewImageBorrowsTheContentOfAnother) {
    auto p = MakeProject(1, 16, 16);
    Image& source = *p->firstImage();
    source.insertLayer(std::make_unique<Layer>())->pixels().fill(0x80FF0000);
    source.update();
    openProject(std::move(p));
    host.dialog = [&](DialogValues& values) {
        auto& v = std::get<NewImageValues>(values);
        v.width = 8;
        v.height = 8;
        v.targetFormat = TargetFormat::Rgb24;
        v.borrowFromId = source.id();
        return true;
    };
    ASSERT_TRUE(commands.newImage());
    const Image& made = image();
    EXPECT_EQ(made.targetFormat(), TargetFormat::Rgb24);
    ASSERT_EQ(made.layerCount(), 2);
    EXPECT_EQ(made.layerAt(1)->pixels().get(3, 3), source.layerAt(1)->pixels().get(0, 0));
    EXPECT_EQ(made.layerAt(2)->pixels().get(7, 7), 0x80FF0000u);
    EXPECT_EQ(made.currentLayer(), made.layerAt(1)) << "the borrowed image's current layer";
}

TEST_F(ImageCommandsTest, PropertiesRecordOnlyAConfirmedChange) {
    openProject(MakeProject(1, 8, 6));
    host.dialog = [](DialogValues& values) {
        auto& v = std::get<ImagePropertiesValues>(values).values;
        v.width = 12;
        return true;
    };
    ASSERT_TRUE(commands.properties());
    EXPECT_EQ(image().width(), 12);
    EXPECT_EQ(UndoLabel(image()), "Image Properties");
    host.dialog = [](DialogValues&) { return true; }; // unchanged
    EXPECT_FALSE(commands.properties());
    EXPECT_EQ(ManagerOf(image()).count(), 1);
}

TEST_F(ImageCommandsTest, CropToTheSelectionAndUndo) {
    openProject(MakeProject(1, 8, 6));
    EXPECT_FALSE(commands.cropToSelection());
    SelectRect(image(), {2, 1, 5, 4});
    const ImageState before = StateOf(image());
    ASSERT_TRUE(commands.cropToSelection());
    EXPECT_EQ(image().width(), 3);
    EXPECT_EQ(UndoLabel(image()), "Crop");
    EXPECT_FALSE(image().selection()->active());
    ASSERT_TRUE(ManagerOf(image()).undo(image()));
    EXPECT_EQ(Difference(before, StateOf(image())), "") << "the selection comes back too";
}

TEST_F(ImageCommandsTest, FlipsAndRotationsWithTheirLabels) {
    struct Case {
        bool (ImageCommands::*command)();
        const char* label;
        std::int32_t width;
    } cases[] = {
        {&ImageCommands::flipHorizontal, "Flip Image", 8},
        {&ImageCommands::flipVertical, "Flip Image", 8},
        {&ImageCommands::rotateClockwise, "Rotate Image", 6},
        {&ImageCommands::rotateCounterClockwise, "Rotate Image", 6},
    };
    openProject(MakeProject(1, 8, 6));
    image().currentLayer()->pixels().set(0, 0, 0xFFFFFFFF);
    image().update();
    CommitSnapshots(image());
    const ImageState before = StateOf(image());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE((commands.*c.command)());
        EXPECT_EQ(image().width(), c.width);
        EXPECT_EQ(UndoLabel(image()), c.label);
        EXPECT_NE(StateOf(image()), before);
        ASSERT_TRUE(ManagerOf(image()).undo(image()));
        EXPECT_EQ(Difference(before, StateOf(image())), "");
    }
}

} // namespace
} // namespace kv::test
