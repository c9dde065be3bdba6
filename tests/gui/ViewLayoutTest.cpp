#include "ui/view/ViewLayout.h"
#include "ui/view/VirtualKeys.h"
#include "ui/view/ZoomTable.h"

#include <QtCore/qnamespace.h>

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(ZoomTable, GridOpacitiesCompose) {
    // The pixel grid over the fine one comes to its own opacity in total:
    // 1 - (1 - fine)(1 - over) = pixel.
    const float over = PixelGridOpacityOver(0.75f, 0.25f);
    EXPECT_FLOAT_EQ(1.0f - (1.0f - 0.25f) * (1.0f - over), 0.75f);
}

TEST(ViewLayout, CentresAnImageThatFitsAndScrollsOneThatDoesNot) {
    // 16 x 16 at 4 in 200 x 100: centred both ways.
    const ViewLayout small({16, 16}, 4, {200, 100});
    EXPECT_EQ(small.origin(), (Point{68, 18}));
    EXPECT_EQ(small.maxScroll(), (Point{0, 0}));
    // 100 x 10 at 4 in 200 x 100: wider than the client, scrolled by 30.
    const ViewLayout wide({100, 10}, 4, {200, 100}, {30, 0});
    EXPECT_EQ(wide.content(), (ViewSize{432, 72}));
    EXPECT_EQ(wide.maxScroll(), (Point{232, 0}));
    EXPECT_EQ(wide.origin(), (Point{ViewLayout::kMargin - 30, 30}));
}

TEST(ViewLayout, PointerToImageSamplesScreenPixelCentres) {
    struct Case {
        int factor;
        Point client;
        ImagePoint expected;
    } cases[] = {
        {24, {0, 0}, {5, 5}},      // 128 / 24 on the left edge
        {1, {-1, 0}, {-128, 128}}, // left of the image: floored
        {4, {4, 8}, {256 + 32, 512 + 32}},
        {1, {3, 0}, {3 * 256 + 128, 128}},
    };
    for (const Case& c : cases) {
        // An origin of 0, 0: a layout scrolled exactly by its margin.
        const ViewLayout l({1000, 1000}, c.factor, {100, 100},
                           {ViewLayout::kMargin, ViewLayout::kMargin});
        ASSERT_EQ(l.origin(), (Point{0, 0}));
        EXPECT_EQ(l.toImage(c.client), c.expected) << c.factor;
    }
}

TEST(ViewLayout, ScrollPlacingBringsAPointUnderAClientPixel) {
    const ViewLayout l({200, 200}, 8, {300, 200});
    const ImagePoint p{100 * 256, 50 * 256};
    const Point scroll = l.scrollPlacing(p, l.clientCentre());
    const ViewLayout placed({200, 200}, 8, {300, 200}, scroll);
    EXPECT_EQ(placed.toImage(placed.clientCentre()).x >> 8, 100);
    EXPECT_EQ(placed.toImage(placed.clientCentre()).y >> 8, 50);
    // A point near the corner cannot come to the centre: the scroll stops at 0.
    EXPECT_EQ(l.scrollPlacing({0, 0}, l.clientCentre()), (Point{0, 0}));
    // Nor past the far end.
    EXPECT_EQ(l.scrollPlacing({200 * 256, 200 * 256}, l.clientCentre()), l.maxScroll());
}

Rect Units(std::int32_t w, std::int32_t h) {
    return LayerBoundsInUnits(w, h);
}

TEST(FitZoomLevel, ScrollBarsThatTheImageNeedsTakeTheirRoom) {
    const ViewSize area{300, 300}, bars{15, 15};
    // Usable 268 x 268. At factor 2 the image is 400 wide: a horizontal bar
    // leaves 253 rows, and a 260-pixel-tall rectangle no longer fits.
    EXPECT_EQ(FitZoomLevel(Units(130, 130), {200, 130}, area, bars), 0);
    EXPECT_EQ(FitZoomLevel(Units(130, 130), {130, 130}, area, bars), 1);
    // A 400-pixel-tall image takes a vertical bar, which narrows the width
    // to 253, less than the image's 260: a horizontal bar follows.
    EXPECT_EQ(FitZoomLevel(Units(120, 130), {130, 200}, area, bars), 0);
    EXPECT_EQ(FitZoomLevel(Units(120, 130), {120, 200}, area, bars), 1);
}

TEST(VirtualKeys, ModifiersLettersAndNamedKeys) {
    const std::pair<int, int> keys[] = {
        {Qt::Key_Shift, 16}, {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
        {Qt::Key_A, 65},     {Qt::Key_7, 55},       {Qt::Key_Left, 37},
        {Qt::Key_F1, 112},   {Qt::Key_Escape, 27},  {Qt::Key_Meta, 0},
    };
    for (const auto& [qt, vk] : keys)
        EXPECT_EQ(VirtualKeyOf(qt), vk) << qt;
}

} // namespace
} // namespace kv
