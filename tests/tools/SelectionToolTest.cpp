// The Selection Tool driven through the view: dragged rectangles and
// ellipses, the combinations chosen at the press, the keys during the drag,
// and the Deselect click.
#include "tools/selection/SelectionTool.h"
#include "ToolTestSupport.h"
#include "tools/framework/OverlayCanvas.h"
#include "tools/framework/ToolSettings.h"

#include <gtest/gtest.h>

namespace kv {
namespace {
using namespace test;

std::string Selected(ToolBench& bench, const Rect& r) {
    return MaskPattern(bench.image->selection()->mask(), r);
}

TEST(SelectionTool, DragsARectangleOnTheGrid) {
    ToolBench bench(20, 16);
    bench.use(ToolId::Selection);
    bench.press(Units(10.3, 10.3));
    bench.move(Units(15.7, 12.2));
    EXPECT_EQ(bench.host.text(StatusField::Size), "6 x 2");
    bench.release();
    EXPECT_TRUE(bench.image->selection()->active());
    EXPECT_EQ(Selected(bench, {9, 9, 17, 13}), "......../.######./.######./........");
    ASSERT_EQ(bench.history().count(), 1);
    EXPECT_EQ(bench.history().undoCursor()->label(), "Select");
}

TEST(SelectionTool, AClickDeselectsInEveryModeAndRecordsOnlyWhenThereWasASelection) {
    ToolBench bench(8, 8);
    bench.use(ToolId::Selection);
    bench.click(At(3, 3));
    EXPECT_EQ(bench.history().count(), 0);
    for (const ModifierKeys keys : {ModifierKeys{}, ModifierKeys{.shift = true, .alt = true}}) {
        SelectRect(*bench.image, {1, 1, 4, 4});
        bench.keys(keys);
        bench.click(At(3, 3));
        EXPECT_TRUE(bench.image->selection()->empty());
        EXPECT_EQ(bench.history().undoCursor()->label(), "Deselect");
    }
    EXPECT_EQ(bench.history().count(), 2);
    ASSERT_TRUE(bench.history().undo(*bench.image));
    EXPECT_EQ(bench.image->selection()->bounds(), (Rect{1, 1, 4, 4}));
}

TEST(SelectionTool, TheKeysAtThePressChooseTheCombination) {
    const struct {
        ModifierKeys keys;
        CursorRole cursor;
        const char* selected;
    } cases[] = {
        {{}, CursorRole::Cross, "..../.###/.###"},
        {{.shift = true}, CursorRole::SelectionAdd, "##../####/.###"},
        {{.alt = true}, CursorRole::SelectionSubtract, "##../#.../...."},
        {{.shift = true, .alt = true}, CursorRole::SelectionIntersect, "..../.#../...."},
    };
    for (const auto& c : cases) {
        ToolBench bench(4, 3);
        SelectRect(*bench.image, {0, 0, 2, 2});
        bench.use(ToolId::Selection);
        bench.keys(c.keys);
        SCOPED_TRACE(c.selected);
        EXPECT_EQ(bench.view.setCursor(At(1, 1)), c.cursor);
        // The keys held from the press on do not square the drag.
        bench.drag({Units(1.1, 1.1), Units(3.9, 2.9)});
        EXPECT_EQ(Selected(bench, {0, 0, 4, 3}), c.selected);
    }
}

TEST(SelectionTool, ShiftAndAltDuringTheDragSquareAndCentreIt) {
    ToolBench bench(16, 16);
    auto& tool = static_cast<SelectionTool&>(bench.use(ToolId::Selection));
    bench.press(At(2, 2));
    bench.move(Units(7.9, 4.3));
    EXPECT_EQ(tool.dragRect(), (Rect{512, 512, 2048, 1024}));
    bench.host.keys = {.shift = true};
    EXPECT_TRUE(bench.view.keyDown(kKeyShift, false));
    EXPECT_EQ(tool.dragRect(), (Rect{512, 512, 1024, 1024}));
    EXPECT_EQ(bench.host.text(StatusField::Size), "2 x 2");
    bench.host.keys = {.shift = true, .alt = true};
    EXPECT_TRUE(bench.view.keyDown(kKeyAlt, false));
    EXPECT_EQ(tool.dragRect(), (Rect{256, 256, 1024, 1024}));
    bench.host.keys = {};
    bench.view.keyUp(kKeyShift);
    bench.view.keyUp(kKeyAlt);
    EXPECT_EQ(tool.dragRect(), (Rect{512, 512, 2048, 1024}));
    bench.release();
    EXPECT_EQ(bench.image->selection()->bounds(), (Rect{2, 2, 8, 4}));
}

} // namespace
} // namespace kv
