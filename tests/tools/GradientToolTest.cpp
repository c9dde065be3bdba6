// The Gradient Tool driven through the view: the vector and its SHIFT forms,
// linear and radial colours at the ends and in between, straight-alpha
// interpolation, and the area the selection allows.
#include "tools/gradient/GradientTool.h"
#include "ToolTestSupport.h"
#include "tools/framework/ToolSettings.h"
#include "tools/gradient/GradientFill.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kv {
namespace {
using namespace test;

constexpr Color32 kClearWhite = MakeColor32(255, 255, 255, 0);

GradientTool& UseGradient(ToolBench& bench, GradientType type, Color32 from, Color32 to) {
    bench.set(kGradientTypeSetting, static_cast<std::uint32_t>(type));
    bench.setColor(kPrimaryColorSetting, from);
    bench.setColor(kSecondaryColorSetting, to);
    return static_cast<GradientTool&>(bench.use(ToolId::Gradient));
}

TEST(Gradient, InterpolatesStraightChannelsWithRoundedWeights) {
    EXPECT_EQ(InterpolationWeight(0.5), 1u << 23);
    // Halfway between two weights rounds to the even one.
    EXPECT_EQ(InterpolationWeight(2.5 / 16777216.0), 2u);
    EXPECT_EQ(InterpolationWeight(3.5 / 16777216.0), 4u);
    EXPECT_EQ(Interpolate(kBlack, kClearWhite, 1u << 23), MakeColor32(128, 128, 128, 128));
    EXPECT_EQ(Interpolate(kBlack, kRed, 0), kBlack);
    EXPECT_EQ(Interpolate(kBlack, kRed, 1u << 24), kRed);
}

TEST(Gradient, ALinearGradientRunsFromTheStartColourToTheEndColour) {
    ToolBench bench(10, 2);
    UseGradient(bench, GradientType::Linear, kBlack, kRed);
    bench.drag({At(1, 0), At(8, 1)});
    ASSERT_EQ(bench.history().count(), 1);
    for (std::int32_t y = 0; y < 2; ++y)
        for (std::int32_t x = 0; x < 10; ++x) {
            // The projection of each pixel centre on the vector (7, 1).
            const double t = ((x - 1) * 7.0 + y * 1.0) / 50.0;
            const Color32 expected = t <= 0   ? kBlack
                                     : t >= 1 ? kRed
                                              : Interpolate(kBlack, kRed, InterpolationWeight(t));
            EXPECT_EQ(bench.pixels().get(x, y), expected) << x << "," << y;
        }
    EXPECT_EQ(bench.image->composite().get(9, 0), kRed);
}

TEST(Gradient, ARadialGradientEndsAtItsRadius) {
    ToolBench bench(9, 9);
    UseGradient(bench, GradientType::Radial, kBlack, kRed);
    bench.drag({At(4, 4), At(7, 4)});
    for (std::int32_t y = 0; y < 9; ++y)
        for (std::int32_t x = 0; x < 9; ++x) {
            const double t = std::hypot(x - 4, y - 4) / 3;
            EXPECT_EQ(bench.pixels().get(x, y),
                      t >= 1 ? kRed : Interpolate(kBlack, kRed, InterpolationWeight(t)))
                << x << "," << y;
        }
}

TEST(Gradient, WithASelectionOnlyTheSelectedPixelsChange) {
    ToolBench bench(6, 6);
    Selection& selection = *bench.image->selection();
    SelectRect(*bench.image, {1, 1, 2, 2});
    selection.editableMask().set(3, 3, 128);
    selection.refreshFromDetail(nullptr);
    CommitSnapshots(*bench.image);
    UseGradient(bench, GradientType::Linear, kRed, kRed);
    bench.drag({At(0, 0), At(5, 5)});
    EXPECT_EQ(ChangedPattern(bench.pixels(), bench.pixels().bounds(), kWhite),
              "....../.#..../....../...#../....../......");
    EXPECT_EQ(bench.pixels().get(1, 1), kRed);
    EXPECT_EQ(bench.pixels().get(3, 3), MakeColor32(255, 127, 127, 255));
}

TEST(Gradient, OnASupersampledLayerEveryDetailPixelHasItsOwnColour) {
    ToolBench bench(1, 1, kWhite, true);
    UseGradient(bench, GradientType::Linear, kBlack, kRed);
    bench.host.zoomFactor = 8;
    bench.drag({{16, 16}, {7 * 32 + 16, 16}});
    for (std::int32_t x = 0; x < 8; ++x)
        EXPECT_EQ(bench.pixels().get(x, 5), Interpolate(kBlack, kRed, InterpolationWeight(x / 7.0)))
            << x;
}

} // namespace
} // namespace kv
