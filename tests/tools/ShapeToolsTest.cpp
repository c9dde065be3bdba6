// The Rectangle and Ellipse tools driven through the view: the dragged
// rectangle, the three types, outline widths, the ellipse pixel test against
// its formula, and what gets recorded.
#include "ToolTestSupport.h"
#include "tools/framework/ToolSettings.h"
#include "tools/shapes/ShapeTool.h"

#include <gtest/gtest.h>

namespace kv {
namespace {
using namespace test;

constexpr Color32 kBlue = MakeColor32(0, 0, 255, 255);

// Red for the line ('r'), blue for the inside ('b'), '.' untouched.
std::string Painted(ToolBench& bench, const Rect& r) {
    return Pattern<Color32>(bench.pixels(), r, {{kRed, 'r'}, {kBlue, 'b'}, {kWhite, '.'}}, '?');
}

void UseShape(ToolBench& bench, ToolId id, ShapeType type, std::uint32_t width) {
    const bool rect = id == ToolId::Rectangle;
    bench.set(rect ? kRectangleTypeSetting : kEllipseTypeSetting, static_cast<std::uint32_t>(type));
    bench.set(rect ? kRectangleOutlineWidthSetting : kEllipseOutlineWidthSetting, width);
    bench.setColor(kPrimaryColorSetting, kRed);
    bench.setColor(kSecondaryColorSetting, kBlue);
    bench.use(id);
}

TEST(Shapes, TheTypesOnAFourByFourLayer) {
    const struct {
        ToolId tool;
        ShapeType type;
        std::uint32_t width;
        MouseButton button;
        const char* painted;
    } cases[] = {
        {ToolId::Rectangle, ShapeType::FilledOutline, 1, MouseButton::Left, "rrrr/rbbr/rbbr/rrrr"},
        {ToolId::Rectangle, ShapeType::FilledOutline, 1, MouseButton::Right, "bbbb/brrb/brrb/bbbb"},
        {ToolId::Rectangle, ShapeType::Outline, 1, MouseButton::Left, "rrrr/r..r/r..r/rrrr"},
        // Wider than half the shape: no inside is left.
        {ToolId::Rectangle, ShapeType::Outline, 2, MouseButton::Left, "rrrr/rrrr/rrrr/rrrr"},
        {ToolId::Ellipse, ShapeType::Solid, 1, MouseButton::Left, ".rr./rrrr/rrrr/.rr."},
        {ToolId::Ellipse, ShapeType::FilledOutline, 1, MouseButton::Left, ".rr./rbbr/rbbr/.rr."},
        {ToolId::Ellipse, ShapeType::Outline, 2, MouseButton::Left, ".rr./rrrr/rrrr/.rr."},
    };
    for (const auto& c : cases) {
        ToolBench bench(4, 4);
        UseShape(bench, c.tool, c.type, c.width);
        bench.drag({At(0, 0), At(3, 3)}, c.button);
        EXPECT_EQ(Painted(bench, {0, 0, 4, 4}), c.painted)
            << int(c.tool) << " type " << int(c.type) << " width " << c.width;
    }
}

// The ellipse test as written, in floating point (exact for these sizes).
bool InsideByFormula(const Rect& r, double shrink, std::int32_t x, std::int32_t y) {
    const double cx = (r.left + r.right - 1) / 2.0, cy = (r.top + r.bottom - 1) / 2.0;
    const double a = r.width() / 2.0 - shrink, b = r.height() / 2.0 - shrink;
    if (a <= 0 || b <= 0) return false;
    return b * b * (x - cx) * (x - cx) + a * a * (y - cy) * (y - cy) <= a * a * b * b;
}

// 'o' outline, 'i' inside, '.' outside.
char ClassifyByFormula(const Rect& r, std::int32_t width, std::int32_t x, std::int32_t y) {
    if (!InsideByFormula(r, 0, x, y)) return '.';
    if (width == 1) {
        for (const Point d : {Point{1, 0}, Point{-1, 0}, Point{0, 1}, Point{0, -1}})
            if (!InsideByFormula(r, 0, x + d.x, y + d.y)) return 'o';
        return 'i';
    }
    return InsideByFormula(r, width, x, y) ? 'i' : 'o';
}

TEST(Shapes, EllipseRowsFollowTheFormulaForEverySmallSize) {
    ToolBench bench;
    auto& ellipse = static_cast<ShapeTool&>(bench.use(ToolId::Ellipse));
    for (std::int32_t w = 1; w <= 13; ++w)
        for (std::int32_t h = 1; h <= 13; ++h)
            for (std::int32_t width = 1; width <= 4; ++width) {
                const Rect r{-3, 5, w - 3, 5 + h};
                for (std::int32_t y = r.top - 1; y <= r.bottom; ++y) {
                    const ShapeRow row = ellipse.shapeRow(r, width, y);
                    for (std::int32_t x = r.left - 1; x <= r.right; ++x) {
                        const char got = !row.outer.contains(x)  ? '.'
                                         : row.inner.contains(x) ? 'i'
                                                                 : 'o';
                        ASSERT_EQ(got, ClassifyByFormula(r, width, x, y))
                            << w << " x " << h << " width " << width << " at " << x << "," << y;
                    }
                }
            }
}

TEST(Shapes, OnASupersampledLayerTheShapeIsDrawnAtEightTimesTheDetail) {
    ToolBench bench(2, 2, kWhite, true);
    bench.host.zoomFactor = 8;
    UseShape(bench, ToolId::Rectangle, ShapeType::Solid, 1);
    bench.press({16, 16});
    bench.move({2 * 32 + 16, 16}); // 8x pixel (2, 0)
    EXPECT_EQ(bench.host.text(StatusField::Size), "0.375 x 0.125");
    bench.release();
    EXPECT_EQ(CountChanged(bench.pixels(), kWhite), 3);
    EXPECT_NE(bench.layer().pixels().get(0, 0), kWhite); // the lower level follows
}

} // namespace
} // namespace kv
