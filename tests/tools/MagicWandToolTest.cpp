// The Magic Wand driven through the view: the four combinations with the
// selection before the click, the detail level, and what it records.
#include "ToolTestSupport.h"
#include "tools/framework/ToolSettings.h"

#include <gtest/gtest.h>

namespace kv {
namespace {
using namespace test;

// Two black squares on white: (0..1, 0..1) and (4..5, 0..1).
void TwoSquares(ToolBench& bench) {
    bench.pixels().fillRect({0, 0, 2, 2}, kBlack);
    bench.pixels().fillRect({4, 0, 6, 2}, kBlack);
    bench.image->update();
    CommitSnapshots(*bench.image);
    bench.use(ToolId::MagicWand);
}

std::string Selected(ToolBench& bench) {
    return MaskPattern(bench.image->selection()->mask(), bench.image->bounds());
}

TEST(MagicWand, CombinesTheRegionWithTheSelectionBefore) {
    // Before each click the left square and the white column beside it are
    // selected; the clicks take the right square or the white region.
    const struct {
        ModifierKeys keys;
        ImagePoint at;
        const char* selected;
        CursorRole cursor;
    } cases[] = {
        {{}, At(4, 0), "....##/....##/......", CursorRole::WandReplace},
        {{.shift = true}, At(4, 0), "###.##/###.##/......", CursorRole::WandAdd},
        {{.alt = true}, At(0, 2), "##..../##..../......", CursorRole::WandSubtract},
        {{.shift = true, .alt = true}, At(0, 2), "..#.../..#.../......", CursorRole::WandIntersect},
    };
    for (const auto& c : cases) {
        ToolBench bench(6, 3);
        TwoSquares(bench);
        SelectRect(*bench.image, {0, 0, 3, 2});
        bench.keys(c.keys);
        SCOPED_TRACE(c.selected);
        EXPECT_EQ(bench.view.setCursor(c.at), c.cursor);
        bench.click(c.at);
        EXPECT_EQ(Selected(bench), c.selected);
        EXPECT_TRUE(bench.image->selection()->active());
        ASSERT_EQ(bench.history().count(), 1);
        EXPECT_EQ(bench.history().undoCursor()->label(), "Select");
        ASSERT_TRUE(bench.history().undo(*bench.image));
        EXPECT_EQ(Selected(bench), "###.../###.../......");
    }
}

TEST(MagicWand, GrowsOnTheDetailLevelOfASupersampledLayer) {
    ToolBench bench(2, 2, kWhite, true);
    bench.pixels().fillRect({0, 0, 3, 5}, kBlack);
    bench.layer().refreshFromDetail(nullptr);
    CommitSnapshots(*bench.image);
    bench.use(ToolId::MagicWand);
    bench.click({40, 100}); // 8x pixel (1, 3)
    const Selection& selection = *bench.image->selection();
    ASSERT_TRUE(selection.supersampled());
    EXPECT_EQ(selection.detailBounds(), (Rect{0, 0, 3, 5}));
    EXPECT_EQ(selection.levelZeroBounds(), (Rect{0, 0, 1, 1}));
    EXPECT_EQ(selection.mask().get(0, 0), (15 * 255 + 32) / 64); // 15 of 64 selected
}

TEST(MagicWand, APlainLayerBesideASupersampledOneSelectsWholeBlocks) {
    ToolBench bench(3, 2);
    bench.pixels().fillRect({0, 0, 1, 2}, kBlack); // x.. over xx.
    bench.pixels().set(1, 1, kBlack);
    auto* detailed = bench.image->insertLayer(std::make_unique<Layer>());
    static_cast<Layer*>(detailed)->setSupersampled(true);
    bench.image->setCurrentLayer(&bench.layer());
    bench.image->update();
    CommitSnapshots(*bench.image);
    ASSERT_TRUE(bench.image->selection()->supersampled());
    bench.use(ToolId::MagicWand);
    bench.click(At(0, 1));
    const Selection& selection = *bench.image->selection();
    EXPECT_EQ(MaskPattern(selection.editableMask(), {0, 6, 16, 10}),
              "########......../########......../################/################");
    EXPECT_EQ(MaskPattern(selection.mask(), {0, 0, 3, 2}), "#../##.");
}

} // namespace
} // namespace kv
