// The Pencil and the Eraser driven through the view: tip shapes, lines,
// channel modes, painting from the snapshot, and what gets recorded.
#include "ToolTestSupport.h"
#include "tools/framework/ToolSettings.h"
#include "tools/freehand/FreehandTool.h"

#include <gtest/gtest.h>

namespace kv {
namespace {
using namespace test;

TEST(Pencil, ClicksStampTheGridAlignedDiscOfEachSize) {
    // Inside pixel (8, 8); even sizes centre on its nearest corner.
    constexpr ImagePoint kLow{8 * 256 + 20, 8 * 256 + 20}, kHigh{8 * 256 + 200, 8 * 256 + 200};
    const struct {
        std::uint32_t size;
        ImagePoint at;
        const char* pattern; // pixels 6..10 x 6..10
    } cases[] = {
        {1, At(8, 8), "...../...../..#../...../....."},
        {2, kHigh, "...../...../..##./..##./....."},
        {2, kLow, "...../.##../.##../...../....."},
        {3, At(8, 8), "...../.###./.###./.###./....."},
        {4, kHigh, "...../..##./.####/.####/..##."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "size " << c.size);
        ToolBench bench;
        bench.use(ToolId::Pencil);
        bench.set(kPencilSizeSetting, c.size);
        bench.click(c.at);
        EXPECT_EQ(ChangedPattern(bench.pixels(), {6, 6, 11, 11}, kWhite), c.pattern);
        EXPECT_EQ(CountChanged(bench.pixels(), kWhite), c.size == 4 ? 12 : int(c.size * c.size));
        EXPECT_EQ(bench.pixels().get(8, 8), kBlack); // full strength
        EXPECT_EQ(bench.history().count(), 1);
    }
}

TEST(Eraser, ChangesOnlyTheChannelsTheViewShows) {
    const Color32 fill = MakeColor32(10, 20, 30, 200);
    const struct {
        ChannelMode mode;
        Color32 erased;
    } cases[] = {
        {ChannelMode::Normal, 0},
        {ChannelMode::ColorOnly, MakeColor32(0, 0, 0, 200)},
        {ChannelMode::AlphaOnly, MakeColor32(10, 20, 30, 0)},
    };
    for (const auto& c : cases) {
        ToolBench bench(16, 16, fill);
        bench.host.channel = c.mode;
        bench.use(ToolId::Eraser);
        bench.set(kEraserSizeSetting, 1);
        bench.click(At(6, 6));
        EXPECT_EQ(bench.pixels().get(6, 6), c.erased) << int(c.mode);
        EXPECT_EQ(CountChanged(bench.pixels(), fill), 1);
    }
}

TEST(Pencil, CtrlDrawsOneDigitalLineOnRelease) {
    ToolBench bench;
    bench.use(ToolId::Pencil);
    bench.keys({.control = true});
    bench.press(At(2, 2));
    bench.move(At(6, 4));
    bench.move(At(9, 5));
    EXPECT_EQ(CountChanged(bench.pixels(), kWhite), 0) << "the line is only previewed";
    EXPECT_EQ(bench.host.text(StatusField::Size), "7 : 3");
    bench.release();
    // One pixel in each column from the anchor to the end, at most one row
    // off the ideal line.
    for (std::int32_t x = 2; x <= 9; ++x) {
        int painted = 0;
        for (std::int32_t y = 0; y < 16; ++y)
            if (bench.pixels().get(x, y) != kWhite) {
                ++painted;
                EXPECT_LE(std::abs(2 + (x - 2) * 3.0 / 7 - y), 0.5) << x;
            }
        EXPECT_EQ(painted, 1) << x;
    }
    EXPECT_EQ(bench.history().count(), 1);
}

TEST(FreehandTools, StrokesOnSupersampledLayersUndoAndRedoExactly) {
    for (ToolId id : {ToolId::Pencil, ToolId::Brush, ToolId::Eraser}) {
        SCOPED_TRACE(DescribeTool(id).toolboxName);
        ToolBench bench(12, 10, MakeColor32(40, 90, 160, 230), true);
        bench.use(id);
        bench.set(kPencilSizeSetting, 5);
        bench.set(kEraserSizeSetting, 7);
        bench.set(kBrushSizeSetting, 11);
        bench.set(kBrushOpacitySetting, 60);
        bench.setColor(kPrimaryColorSetting, MakeColor32(250, 10, 5, 180));
        bench.drag({At(1, 1), {700, 900}, At(6, 7), {2901, 1333}});
        bench.drag({At(10, 2), At(2, 8)});
        const ImageState before = StateOf(*bench.image);
        bench.drag({At(3, 9), At(9, 1), At(11, 4)});
        const ImageState after = StateOf(*bench.image);
        ASSERT_NE(Difference(before, after), "");
        ASSERT_TRUE(bench.history().undo(*bench.image));
        EXPECT_EQ(Difference(StateOf(*bench.image), before), "");
        ASSERT_TRUE(bench.history().redo(*bench.image));
        EXPECT_EQ(Difference(StateOf(*bench.image), after), "");
    }
}

} // namespace
} // namespace kv
