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

// Where the red pixels are, as a pattern.
std::string Reds(ToolBench& bench, const Rect& r) {
    std::string s;
    for (std::int32_t y = r.top; y < r.bottom; ++y) {
        if (y > r.top) s += '/';
        for (std::int32_t x = r.left; x < r.right; ++x) {
            const Color32 c = bench.pixels().get(x, y);
            s += c == kRed ? 'r' : c == 0 ? '_' : '.';
        }
    }
    return s;
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
    EXPECT_EQ(bench.host.text(StatusField::Size), "");

    ASSERT_TRUE(bench.history().undo(*bench.image));
    EXPECT_EQ(Reds(bench, {0, 1, 6, 3}), "....../..r...");
    ASSERT_TRUE(bench.history().redo(*bench.image));
    EXPECT_EQ(Reds(bench, {0, 1, 6, 3}), "__..../__..r.");
}

TEST(MoveTool, BackToThePressPointRecordsNothing) {
    ToolBench bench(6, 4);
    Marked(bench);
    bench.drag({At(2, 2), At(4, 3), At(2, 2)});
    EXPECT_EQ(bench.history().count(), 0);
    EXPECT_EQ(Reds(bench, {0, 1, 6, 3}), "....../..r...");
}

TEST(MoveTool, ALaterMoveBringsBackWhatAnEarlierOnePushedOff) {
    ToolBench bench(6, 4);
    Marked(bench);
    bench.drag({At(3, 2), At(0, 2)});
    EXPECT_EQ(Reds(bench, {0, 2, 6, 3}), "...___");
    bench.drag({At(0, 2), At(3, 2)});
    EXPECT_EQ(Reds(bench, {0, 2, 6, 3}), "..r...");
    EXPECT_EQ(bench.history().count(), 2);
    ASSERT_TRUE(bench.history().undo(*bench.image));
    EXPECT_EQ(Reds(bench, {0, 2, 6, 3}), "...___");
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

TEST(MoveTool, APartlySelectedPixelLeavesPartOfItselfBehind) {
    ToolBench bench(4, 1, kRed);
    SelectRect(*bench.image, {0, 0, 1, 1}, 128);
    bench.use(ToolId::Move);
    bench.drag({At(0, 0), At(2, 0)});
    const Color32 stays = bench.pixels().get(0, 0), moved = bench.pixels().get(2, 0);
    EXPECT_EQ(stays, MakeColor32(255, 0, 0, 127));
    EXPECT_EQ(moved, MakeColor32(255, 0, 0, 255)); // laid over the red it came to
    EXPECT_EQ(bench.pixels().get(1, 0), kRed);
}

TEST(MoveTool, ShiftKeepsTheMoveOnTheAxesAndDiagonals) {
    ToolBench bench(16, 16);
    Marked(bench);
    bench.host.keys = {.shift = true};
    bench.press(At(2, 2));
    bench.move(At(12, 5)); // (10, 3): flat
    EXPECT_EQ(bench.pixels().get(12, 2), kRed);
    bench.host.keys = {};
    bench.view.keyUp(kKeyShift);
    EXPECT_EQ(bench.pixels().get(12, 5), kRed);
    bench.host.keys = {.shift = true};
    EXPECT_TRUE(bench.view.keyDown(kKeyShift, false));
    bench.move(At(7, 6)); // (5, 4): diagonal
    EXPECT_EQ(bench.pixels().get(6, 6), kRed);
    bench.release();
    EXPECT_EQ(bench.history().count(), 1);
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
    EXPECT_EQ(plain.image->composite().get(4, 1), kRed);
    ASSERT_TRUE(plain.history().undo(*plain.image));
    EXPECT_EQ(Reds(plain, {0, 1, 6, 3}), "__..../__..r.");

    ToolBench detail(2, 2, kWhite, true);
    detail.pixels().set(3, 3, kRed);
    CommitSnapshots(*detail.image);
    detail.use(ToolId::Move);
    detail.view.keyDown(kKeyLeft, false);
    detail.view.keyDown(kKeyDown, false);
    EXPECT_EQ(detail.pixels().get(2, 4), kRed);
    EXPECT_EQ(detail.pixels().get(3, 3), kWhite);
    EXPECT_EQ(detail.pixels().get(15, 0), 0u); // the uncovered column and row
    EXPECT_EQ(detail.history().count(), 2);
}

TEST(MoveTool, ALostCapturePutsTheContentBackAndRecordsNothing) {
    ToolBench bench(6, 4);
    Marked(bench);
    bench.press(At(2, 2));
    bench.move(At(4, 2));
    EXPECT_EQ(bench.pixels().get(4, 2), kRed);
    bench.view.captureEnded();
    EXPECT_EQ(Reds(bench, {0, 1, 6, 3}), "....../..r...");
    EXPECT_EQ(bench.history().count(), 0);
    // The next move starts afresh.
    bench.drag({At(2, 2), At(3, 2)});
    EXPECT_EQ(Reds(bench, {0, 2, 6, 3}), "_..r..");
}

TEST(MoveTool, WithoutAVisibleRasterLayerNothingMoves) {
    ToolBench bench(6, 4);
    Marked(bench);
    bench.layer().setVisible(false);
    EXPECT_EQ(bench.view.setCursor(At(2, 2)), CursorRole::Arrow);
    bench.drag({At(2, 2), At(4, 2)});
    EXPECT_TRUE(bench.view.keyDown(kKeyLeft, false));
    EXPECT_EQ(bench.history().count(), 0);
    EXPECT_EQ(Reds(bench, {0, 2, 6, 3}), "..r...");
}

} // namespace
} // namespace kv
