// The selection mask: cached facts, detail levels, following the image and
// the marching-ants outline.
#include "model/Selection.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "model/SelectionOutline.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

// An image of the given size with one layer, optionally supersampled.
std::unique_ptr<Image> MakeImage(std::int32_t w, std::int32_t h, bool supersampled = false) {
    auto image = std::make_unique<Image>();
    image->setSize(w, h);
    static_cast<Layer*>(image->insertLayer(std::make_unique<Layer>()))
        ->setSupersampled(supersampled);
    image->update();
    return image;
}

TEST(Selection, ScanFindsFullEmptyAndTheBoundsOfEveryNonZeroByte) {
    const struct {
        std::vector<Point> at;
        std::uint8_t value;
        bool invert;
        Rect bounds;
    } cases[] = {
        {{}, 0, false, {}},
        {{}, 0, true, {0, 0, 16, 16}}, // all 255: full
        {{{3, 5}}, 255, false, {3, 5, 4, 6}},
        {{{15, 15}}, 1, false, {15, 15, 16, 16}},
        {{{2, 1}, {12, 14}}, 9, false, {2, 1, 13, 15}},
        {{{15, 15}}, 255, true, {0, 0, 16, 16}}, // one byte 0 left: not full
    };
    for (const auto& c : cases) {
        MaskArray mask(16, 16);
        mask.fill(0);
        for (const Point& p : c.at)
            mask.set(p.x, p.y, c.value);
        if (c.invert) mask.invert();
        bool full = false, empty = false;
        Rect bounds{9, 9, 9, 9};
        ScanMask(mask, full, empty, bounds);
        SCOPED_TRACE(::testing::PrintToString(c.bounds));
        EXPECT_EQ(full, c.invert && c.at.empty());
        EXPECT_EQ(empty, !c.invert && c.at.empty());
        EXPECT_EQ(bounds, c.bounds);
    }
}

TEST(Selection, RefreshFromDetailReducesOnlyTheTouchedArea) {
    auto image = MakeImage(4, 4, true);
    Selection& s = *image->selection();
    ASSERT_TRUE(s.supersampled());
    s.editableMask().fillRect({8, 8, 16, 16}, 255); // exactly level-0 pixel (1, 1)
    s.editableMask().fillRect({0, 24, 4, 32}, 255); // half of pixel (0, 3), not refreshed
    const Rect touched{1, 1, 2, 2};                 // image pixels: the 8x {8, 8, 16, 16}
    s.refreshFromDetail(&touched);
    EXPECT_EQ(s.mask().get(1, 1), 255);
    EXPECT_EQ(s.mask().get(0, 3), 0);
    EXPECT_EQ(s.level(2).get(4, 4), 255); // the 4x level
    EXPECT_EQ(s.levelZeroBounds(), (Rect{1, 1, 2, 2}));
    EXPECT_EQ(s.detailBounds(), (Rect{0, 8, 16, 32}));
    s.refreshFromDetail();
    EXPECT_EQ(s.mask().get(0, 3), 128);
}

// Supersampling arriving keeps the selected area and scales its detail
// bounds; leaving it while a selection is active keeps the levels until the
// selection is cleared.
TEST(Selection, FollowsTheImage) {
    auto image = MakeImage(8, 8);
    Selection& s = *image->selection();
    s.mask().fillRect({2, 3, 5, 4}, 255);
    s.setActive(true);
    s.recompute();
    Layer& layer = *static_cast<Layer*>(image->bottomLayer());
    layer.setSupersampled(true);
    image->update();
    ASSERT_TRUE(s.supersampled());
    EXPECT_EQ(s.levelZeroBounds(), (Rect{2, 3, 5, 4}));
    EXPECT_EQ(s.detailBounds(), (Rect{16, 24, 40, 32}));
    EXPECT_EQ(s.editableMask().width(), 64);

    layer.setSupersampled(false);
    image->update();
    EXPECT_TRUE(s.supersampled());
    s.clear(*image);
    EXPECT_FALSE(s.supersampled());
}

// Outline pixels are the only opaque pixels in a view cleared to 0.
PixelArray OutlineView(const MaskArray* mask, const Selection* selection, std::int32_t size,
                       const Rect& clip, Point origin, std::int32_t zoom) {
    PixelArray view(size, size);
    view.fill(0);
    if (mask) DrawMaskOutline(*mask, view, clip, origin, zoom, 0);
    if (selection) DrawSelectionOutline(*selection, view, clip, origin, zoom, 0);
    return view;
}

int CountDrawn(const PixelArray& view) {
    int n = 0;
    for (std::int32_t y = 0; y < view.height(); ++y)
        for (std::int32_t x = 0; x < view.width(); ++x)
            n += AlphaOf(view.get(x, y)) == 255;
    return n;
}

TEST(SelectionOutline, DrawsTheBorderOfSelectedBytes) {
    MaskArray ring(6, 6);
    ring.fill(0);
    ring.fillRect({1, 1, 5, 5}, 200);
    ring.set(0, 0, 127); // counts for bounds, never drawn
    // A 4 x 4 ring without its interior.
    EXPECT_EQ(CountDrawn(OutlineView(&ring, nullptr, 10, {0, 0, 10, 10}, {2, 3}, 1)), 12);
    ring.set(0, 0, 128); // on the mask's border: one pixel more
    EXPECT_EQ(CountDrawn(OutlineView(&ring, nullptr, 10, {0, 0, 10, 10}, {0, 0}, 1)), 13);

    MaskArray pair(3, 1);
    pair.fill(0);
    pair.fillRect({1, 0, 3, 1}, 255);
    // Two 4 x 4 cells side by side: top and bottom lines of 8, the outer
    // columns; the shared side stays open. Clipped at column 6: columns 4, 5.
    EXPECT_EQ(CountDrawn(OutlineView(&pair, nullptr, 12, {0, 0, 12, 4}, {0, 0}, 4)), 8 + 8 + 2 + 2);
    EXPECT_EQ(CountDrawn(OutlineView(&pair, nullptr, 12, {0, 0, 6, 4}, {0, 0}, 4)), 6);
}

} // namespace
} // namespace kv
