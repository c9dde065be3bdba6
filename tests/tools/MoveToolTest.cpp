// The Move Tool driven through the view: grid-snapped drags with and without
// a selection, SHIFT, nudges on plain and supersampled layers, and the Move
// and Nudge actions they record.
#include "tools/selection/MoveTool.h"
#include "ToolTestSupport.h"

#include <gtest/gtest.h>

namespace kv {
namespace {
using namespace test;

// A white layer with a red pixel at (2, 2).
void Marked(ToolBench& bench) {
    bench.pixels().set(2, 2, kRed);
    bench.image->update();
    CommitSnapshots(*bench.image);
    bench.use(ToolId::Move);
}

// Where the red pixels are: 'r', '_' transparent, '.' anything else.
std::string Reds(ToolBench& bench, const Rect& r) {
    return Pattern<Color32>(bench.pixels(), r, {{kRed, 'r'}, {0, '_'}}, '.');
}

TEST(MoveTool, MovesByWholeGridStepsAndRecordsOneMove) {
    ToolBench bench(6, 4);
    Marked(bench);
    EXPECT_EQ(bench.view.setCursor(At(2, 2)), CursorRole::Move);
    bench.press(At(2, 2));
    bench.move({At(2, 2).x + 614, At(2, 2).y}); // 2.4 pixels
    EXPECT_EQ(static_cast<MoveTool*>(bench.tools.current())->appliedOffset(), (Point{512, 0}));
    EXPECT_EQ(bench.host.text(StatusField::Size), "2 : 0");
    bench.release();
    // The content moved two pixels; the uncovered columns are transparent.
    EXPECT_EQ(Reds(bench, {0, 1, 6, 3}), "__..../__..r.");
    ASSERT_EQ(bench.history().count(), 1);
    EXPECT_EQ(bench.history().undoCursor()->label(), "Move");
    EXPECT_EQ(bench.image->composite().get(4, 2), kRed);

    ASSERT_TRUE(bench.history().undo(*bench.image));
    EXPECT_EQ(Reds(bench, {0, 1, 6, 3}), "....../..r...");
    ASSERT_TRUE(bench.history().redo(*bench.image));
    EXPECT_EQ(Reds(bench, {0, 1, 6, 3}), "__..../__..r.");
}

TEST(MoveTool, WithASelectionOnlyTheSelectedPartMovesAndTheSelectionWithIt) {
    ToolBench bench(6, 4);
    Marked(bench);
    bench.pixels().set(3, 2, kRed);
    SelectRect(*bench.image, {2, 2, 3, 3});
    bench.drag({At(2, 2), At(2, 0)});
    // The selected red pixel went up; the one beside it stayed; the hole is
    // transparent.
    EXPECT_EQ(Reds(bench, {0, 0, 6, 3}), "..r.../....../.._r..");
    EXPECT_EQ(bench.image->selection()->bounds(), (Rect{2, 0, 3, 1}));
    ASSERT_TRUE(bench.history().undo(*bench.image));
    EXPECT_EQ(Reds(bench, {0, 0, 6, 3}), "....../....../..rr..");
    EXPECT_EQ(bench.image->selection()->bounds(), (Rect{2, 2, 3, 3}));
}

TEST(MoveTool, NudgesByOneLayerPixelEachAsItsOwnAction) {
    ToolBench plain(6, 4);
    Marked(plain);
    EXPECT_TRUE(plain.view.keyDown(kKeyRight, false));
    EXPECT_TRUE(plain.view.keyDown(kKeyRight, true));
    EXPECT_TRUE(plain.view.keyDown(kKeyUp, false));
    EXPECT_EQ(Reds(plain, {0, 1, 6, 3}), "__..r./__....");
    EXPECT_EQ(plain.history().count(), 3);
    EXPECT_EQ(plain.history().undoCursor()->label(), "Nudge");

    ToolBench detail(2, 2, kWhite, true);
    detail.pixels().set(3, 3, kRed);
    CommitSnapshots(*detail.image);
    detail.use(ToolId::Move);
    detail.view.keyDown(kKeyLeft, false);
    detail.view.keyDown(kKeyDown, false);
    EXPECT_EQ(detail.pixels().get(2, 4), kRed);
    EXPECT_EQ(detail.pixels().get(15, 0), 0u); // the uncovered column and row
}

} // namespace
} // namespace kv
