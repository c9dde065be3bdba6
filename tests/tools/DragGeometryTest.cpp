// The drag grid, the dragged rectangle with its SHIFT and ALT forms, and the
// 45-degree constraint shared by the gradient and the Move Tool.
#include "tools/framework/DragGeometry.h"
#include "ToolTestSupport.h"

#include <gtest/gtest.h>

namespace kv {
namespace {
using namespace test;

Rect InPixels(const Rect& r) {
    return {r.left / 256, r.top / 256, r.right / 256, r.bottom / 256};
}

TEST(DragGeometry, RectanglesSnapToTheGrid) {
    const struct {
        ImagePoint press, current;
        DragShape shape;
        Rect pixels;
    } cases[] = {
        {Units(10.3, 10.3), Units(15.7, 12.2), {}, {10, 10, 16, 12}},
        // A click covers the pixel under it, dragged either way.
        {At(4, 4), At(4, 4), {}, {4, 4, 5, 5}},
        {Units(15.7, 12.2), Units(10.3, 10.3), {}, {10, 10, 16, 12}},
        // SHIFT: a square of the smaller side from the press corner.
        {At(2, 2), Units(5.85, 4.3), {.square = true}, {2, 2, 4, 4}},
        {At(5, 5), Units(1.4, 2.4), {.square = true}, {2, 2, 6, 6}},
        // ALT: the press point is the centre, on a half step.
        {At(2, 2), Units(5.85, 4.3), {.fromCentre = true}, {-1, 1, 6, 4}},
        // ALT and SHIFT: centred on the cell, a square.
        {At(2, 2), Units(5.85, 4.3), {.square = true, .fromCentre = true}, {1, 1, 4, 4}},
        // ... or on the nearest grid corner when the press is near one.
        {Units(2.1, 2.1), Units(5.85, 4.3), {.square = true, .fromCentre = true}, {0, 0, 4, 4}},
    };
    for (const auto& c : cases) {
        const Rect r = DragRectangle(c.press, c.current, c.shape, 256);
        EXPECT_EQ(InPixels(r), c.pixels) << c.current.x << "," << c.current.y;
        EXPECT_EQ(r.left % 256, 0);
        EXPECT_EQ(r.bottom % 256, 0);
    }
    // At zoom 2 a click lands between grid lines: nothing.
    EXPECT_TRUE(DragRectangle({1024 + 64, 1024 + 64}, {1024 + 64, 1024 + 64}, {}, 256).isEmpty());
    EXPECT_TRUE(
        DragRectangle({1024 + 192, 1024 + 192}, {1024 + 192, 1024 + 192}, {}, 256).isEmpty());
}

TEST(DragGeometry, ShiftKeepsTheDirectionToMultiplesOf45Degrees) {
    const struct {
        Point d, constrained;
    } cases[] = {
        {{100, 30}, {100, 0}},   {{100, 50}, {50, 50}},     {{20, 100}, {0, 100}},
        {{-100, 41}, {-100, 0}}, {{-100, -42}, {-42, -42}}, {{0, -7}, {0, -7}},
        {{0, 0}, {0, 0}},        {{5, -5}, {5, -5}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConstrainDirection(c.d), c.constrained) << c.d.x << "," << c.d.y;
    EXPECT_EQ(SnapToGrid({614, -614}, 256), (Point{512, -512}));
    EXPECT_EQ(SnapToGrid({128, -129}, 256), (Point{256, -256}));
}

} // namespace
} // namespace kv
