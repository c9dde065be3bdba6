// The Flood Fill Tool driven through the view: what it fills, how the view's
// channel mode and the selection limit it, and what it records.
#include "ToolTestSupport.h"
#include "tools/framework/PaintPixel.h"
#include "tools/framework/ToolSettings.h"

#include <gtest/gtest.h>

namespace kv {
namespace {
using namespace test;

TEST(FloodFill, TheChannelModeDecidesWhatIsComparedAndChanged) {
    const Color32 seed = MakeColor32(10, 20, 30, 200), paint = MakeColor32(0, 0, 255, 50);
    const Color32 otherColor = MakeColor32(90, 90, 90, 200);
    const Color32 otherAlpha = MakeColor32(10, 20, 30, 100);
    const struct {
        ChannelMode mode;
        Color32 neighbour;
        bool joins;
        Color32 painted;
    } cases[] = {
        // Each neighbour differs in what one mode ignores; the comparison
        // rules themselves are RegionFiller's tests.
        {ChannelMode::Normal, otherAlpha, false, paint},
        // Alpha alone is compared and changed.
        {ChannelMode::AlphaOnly, otherColor, true, MakeColor32(10, 20, 30, 50)},
        // Colour alone is compared and changed; alpha is kept.
        {ChannelMode::ColorOnly, otherAlpha, true, MakeColor32(0, 0, 255, 200)},
    };
    for (const auto& k : cases) {
        ToolBench bench(2, 1);
        bench.pixels().set(0, 0, seed);
        bench.pixels().set(1, 0, k.neighbour);
        CommitSnapshots(*bench.image);
        bench.host.channel = k.mode;
        bench.use(ToolId::FloodFill);
        bench.setColor(kPrimaryColorSetting, paint);
        bench.click(At(0, 0));
        SCOPED_TRACE(::testing::Message()
                     << "mode " << int(k.mode) << std::hex << " neighbour " << k.neighbour);
        EXPECT_EQ(bench.pixels().get(0, 0), k.painted);
        EXPECT_EQ(bench.pixels().get(1, 0) != k.neighbour, k.joins);
    }
}

TEST(FloodFill, TheSelectionLimitsPaintingButNotTheRegion) {
    ToolBench bench(8, 1);
    SelectRect(*bench.image, {0, 0, 2, 1});
    bench.image->selection()->editableMask().set(6, 0, 128);
    bench.image->selection()->refreshFromDetail(nullptr);
    CommitSnapshots(*bench.image);
    bench.use(ToolId::FloodFill);
    bench.click(At(0, 0));
    EXPECT_EQ(ChangedPattern(bench.pixels(), bench.pixels().bounds(), kWhite), "##....#.");
    EXPECT_EQ(bench.pixels().get(1, 0), kBlack);
    // Reached through unselected pixels, and mixed at the mask's strength.
    EXPECT_EQ(bench.pixels().get(6, 0), PaintPixel(kWhite, kBlack, 128, ChannelMode::Normal));
}

TEST(FloodFill, FillsTheDetailLevelOfASupersampledLayer) {
    ToolBench bench(4, 4, kWhite, true);
    // A closed ring of 8x pixels inside image pixel (1, 1).
    PixelArray& detail = bench.pixels();
    detail.fillRect({8, 8, 16, 16}, kBlack);
    detail.fillRect({9, 9, 15, 15}, kWhite);
    bench.layer().refreshFromDetail(nullptr);
    CommitSnapshots(*bench.image);
    bench.use(ToolId::FloodFill);
    bench.setColor(kPrimaryColorSetting, kRed);
    bench.click({256 + 4 * 32 + 16, 256 + 4 * 32 + 16}); // 8x pixel (12, 12)
    EXPECT_EQ(detail.get(12, 12), kRed);
    EXPECT_EQ(detail.get(9, 9), kRed);
    EXPECT_EQ(detail.get(16, 16), kWhite);
    EXPECT_EQ(CountChanged(detail, kWhite), 28 + 36);
    // The lower levels follow: 36 of the 64 8x pixels of image pixel (1, 1) are red.
    EXPECT_NE(bench.layer().pixels().get(1, 1), kWhite);
    EXPECT_EQ(bench.layer().pixels().get(2, 2), kWhite);
    EXPECT_EQ(bench.history().count(), 1);
}

} // namespace
} // namespace kv
