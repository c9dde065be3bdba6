// Coordinates, rectangle conversions, the pixel rule of each channel mode,
// auto-scroll steps and status formats. Selection clipping is judged
// through the tools that use it.
#include "tools/framework/ToolGeometry.h"
#include "tools/framework/AutoScroll.h"
#include "tools/framework/PaintPixel.h"
#include "tools/framework/StatusText.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(ToolGeometry, ViewPointsLandOnScreenPixelCentresFlooredLeftOfTheImage) {
    const struct {
        std::int32_t offset;
        int zoom;
        std::int32_t units;
    } cases[] = {
        {0, 1, 128}, {0, 24, 5},    {-1, 1, -128}, {-1, 2, -64},    {-1, 24, -6},
        {3, 4, 224}, {-5, 3, -384}, {47, 48, 253}, {-48, 48, -254},
    };
    for (const auto& c : cases) {
        const ImagePoint p = ViewToImage({100 + c.offset, 7}, {100, 7}, c.zoom);
        EXPECT_EQ(p.x, c.units) << c.offset << " at zoom " << c.zoom;
        EXPECT_EQ(p.y, 128 / c.zoom);
    }
    EXPECT_EQ(ImagePixelOf({-128, 255}), (Point{-1, 0}));
}

TEST(ToolGeometry, ImageToClientFindsThePixelItCameFrom) {
    for (int zoom : {1, 2, 4, 8, 16, 24, 32, 48, 64})
        for (std::int32_t x = -70; x <= 70; ++x) {
            const Point client{x + 13, 2 * x - 5};
            const Point origin{13, 9};
            EXPECT_EQ(ImageToClient(ViewToImage(client, origin, zoom), origin, zoom), client)
                << x << " at zoom " << zoom;
        }
}

TEST(ToolGeometry, RectanglesRoundOutwardsToLayerAndImagePixels) {
    const Rect units{-1, 0, 257, 33};
    EXPECT_EQ(UnitsToImagePixels(units), (Rect{-1, 0, 2, 1}));
    EXPECT_EQ(UnitsToLayerPixels(units, 0), (Rect{-1, 0, 2, 1}));
    EXPECT_EQ(UnitsToLayerPixels(units, 3), (Rect{-1, 0, 9, 2}));
    EXPECT_EQ(WidenToLayerPixels(units, 3), (Rect{-32, 0, 288, 64}));
    EXPECT_EQ(OnScreenWidth(5 * 256, 3), 15);
    EXPECT_EQ(FloorToMultiple(-1, 32), -32);
}

TEST(PaintPixel, EachChannelModeChangesOnlyItsChannels) {
    const Color32 red = MakeColor32(255, 0, 0, 255);
    const Color32 halfBlue = MakeColor32(0, 0, 255, 128);
    const Color32 dst = MakeColor32(200, 100, 50, 60);
    const struct {
        Color32 dst, src;
        std::uint32_t a;
        ChannelMode mode;
        Color32 expected;
    } cases[] = {
        {dst, red, 0, ChannelMode::Normal, dst},
        {dst, 0, 255, ChannelMode::Normal, 0},
        {dst, halfBlue, 255, ChannelMode::Normal, halfBlue},
        // Blue at 128 over opaque red: 128 of blue, 127 of red.
        {red, MakeColor32(0, 0, 255, 255), 128, ChannelMode::Normal, MakeColor32(127, 0, 128, 255)},
        // Nothing left of either alpha: transparent black.
        {MakeColor32(9, 9, 9, 0), MakeColor32(9, 9, 9, 0), 100, ChannelMode::Normal, 0},
        // Painting transparent black at half strength keeps the colour.
        {dst, 0, 128, ChannelMode::Normal, MakeColor32(200, 100, 50, 30)},
        {dst, red, 255, ChannelMode::ColorOnly, MakeColor32(255, 0, 0, 60)},
        {dst, red, 51, ChannelMode::ColorOnly, MakeColor32(211, 80, 40, 60)},
        {dst, halfBlue, 255, ChannelMode::AlphaOnly, MakeColor32(200, 100, 50, 128)},
        {dst, red, 51, ChannelMode::AlphaOnly, MakeColor32(200, 100, 50, 99)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PaintPixel(c.dst, c.src, c.a, c.mode), c.expected)
            << std::hex << c.dst << " " << c.src << std::dec << " at " << c.a << " mode "
            << int(c.mode);
}

TEST(AutoScroll, StepsByHowFarThePointerIsOutsideAndStaysInTheContent) {
    EXPECT_EQ(AutoScrollStep(-4, 0, 100), -4);
    EXPECT_EQ(AutoScrollStep(99, 0, 100), 0);
    EXPECT_EQ(AutoScrollStep(130, 0, 100), 31);
    EXPECT_EQ(ScrolledPosition(10, -30, 500, 100), 0);
    EXPECT_EQ(ScrolledPosition(390, 31, 500, 100), 400);
}

} // namespace
} // namespace kv
