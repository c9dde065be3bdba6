// The Brush: dab strength and coverage, spacing along the path with the
// anchor carried between moves, the catch-up through the pointer query, and
// its lines.
#include "ToolTestSupport.h"
#include "tools/framework/PaintTarget.h"
#include "tools/framework/ToolSettings.h"
#include "tools/freehand/BrushDab.h"
#include "tools/freehand/FreehandTool.h"
#include "tools/freehand/TipProfile.h"

#include <gtest/gtest.h>

namespace kv {
namespace {
using namespace test;

TEST(Brush, DabStrengthFollowsOpacityAndHardness) {
    EXPECT_EQ(DabStrength(100, 100), 128.0); // 127.2 raised to the full-opacity floor
    EXPECT_NEAR(DabStrength(100, 0), 191, 0.1);
    EXPECT_NEAR(DabStrength(50, 100), 17, 0.1);
    EXPECT_EQ(DabStrength(1, 100), 1.0); // 0.33, raised to 1
}

TEST(Brush, ProfileIsFlatInsideTheCoreAndFallsLinearlyToTheRim) {
    const TipProfile soft(10, 40); // R 5, Ri 2
    EXPECT_EQ(soft.coverage(1.5), 1.0);
    EXPECT_DOUBLE_EQ(soft.coverage(3.5), 0.5);
    EXPECT_EQ(soft.coverage(5.01), 0.0);
    // A pixel straddling the rim gets the mean of its samples, between the
    // values at its nearest and farthest corners.
    const double c = soft.pixelCoverage(5, 0, 25);
    EXPECT_GT(c, 0.0);
    EXPECT_LT(c, soft.coverage(4.5));
}

// One brush, dab by dab, on a fresh copy of the bench's layer.
PixelArray OneDab(ToolBench& bench, ImagePoint at, std::int32_t size, std::uint32_t hardness,
                  std::uint32_t opacity, Color32 color) {
    PixelArray copy;
    copy.assign(bench.pixels());
    PaintTarget target = *PaintTarget::Of(bench.image.get(), ChannelMode::Normal);
    target.pixels = &copy;
    target.level = 0;
    PaintDab(target, BrushTipRect(at, size * 256, bench.host.zoomFactor),
             TipProfile(size, hardness), DabStrength(opacity, hardness), color);
    return copy;
}

TEST(Brush, AClickIsOneDab) {
    ToolBench bench;
    bench.use(ToolId::Brush);
    bench.set(kBrushSizeSetting, 8);
    bench.set(kBrushHardnessSetting, 100);
    const PixelArray expected = OneDab(bench, At(7, 7), 8, 100, 100, kBlack);
    bench.click(At(7, 7));
    EXPECT_TRUE(bench.pixels().sameContents(expected));
    // A hard tip at full opacity mixes 128 of black into white, once.
    EXPECT_EQ(bench.pixels().get(7, 7), MakeColor32(127, 127, 127, 255));
}

TEST(Brush, ShortMovesCarryTheirDistanceToTheNextDab) {
    ToolBench bench(32, 32);
    auto& brush = static_cast<FreehandTool&>(bench.use(ToolId::Brush));
    bench.set(kBrushSizeSetting, 20); // dabs every 2 pixels
    bench.press(At(10, 10));
    PixelArray afterFirst;
    afterFirst.assign(bench.pixels());
    bench.move({At(10, 10).x + 300, At(10, 10).y});
    EXPECT_TRUE(bench.pixels().sameContents(afterFirst));
    bench.move({At(10, 10).x + 600, At(10, 10).y});
    EXPECT_FALSE(bench.pixels().sameContents(afterFirst));
    EXPECT_EQ(brush.anchor(), (ImagePoint{At(10, 10).x + 512, At(10, 10).y}));
}

TEST(Brush, LongSegmentsKeepFollowingThePointerUntilItsRelease) {
    ToolBench bench(64, 16);
    auto& brush = static_cast<FreehandTool&>(bench.use(ToolId::Brush));
    bench.set(kBrushSizeSetting, 10); // dabs every pixel
    bench.press(At(2, 8));
    // While the segment to (10, 8) is painted the pointer moves on; then the
    // button comes up, which closes the queue.
    bench.host.pointerScript = {
        {At(20, 8), false}, {At(30, 8), false}, {At(40, 8), true}, {At(60, 8), false}};
    bench.move(At(10, 8));
    EXPECT_EQ(brush.anchor(), At(30, 8));
    EXPECT_NE(bench.pixels().get(30, 8), kWhite);
    EXPECT_EQ(bench.pixels().get(40, 8), kWhite);
    EXPECT_EQ(bench.host.pointerScript.size(), 1u) << "no sampling after the release";
}

} // namespace
} // namespace kv
