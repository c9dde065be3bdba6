// A Move drag redraws only the tiles a step changes: after every step the
// layer, its lower levels and the selection must be exactly what drawing the
// whole raster from the snapshots gives. The whole-raster drawing is kept
// here in its plainest form, from copies of the snapshots taken at the press.
#include "ToolTestSupport.h"
#include "editing/records/SnapshotRedraw.h"
#include "model/FixedPoint.h"
#include "tools/selection/MoveTool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

namespace kv {
namespace {
using namespace test;

template <typename A> A Copy(const A& a) {
    A c(a.width(), a.height());
    c.assign(a);
    return c;
}

struct Before {
    PixelArray pixels;
    MaskArray coverage; // the selection at the layer's resolution
    MaskArray mask;     // the selection's editable mask
    bool active = false;
};

Color32 LayOver(Color32 d, Color32 s, unsigned m) {
    if (m == 255) return s;
    const unsigned sa = Div255(m * AlphaOf(s));
    const unsigned da = std::min(255u - m, AlphaOf(d));
    const unsigned a = sa + da;
    auto mix = [&](unsigned dc, unsigned sc) { return DivByAlphaSum(dc * da + sc * sa, a); };
    return MakeColor32(mix(RedOf(d), RedOf(s)), mix(GreenOf(d), GreenOf(s)),
                       mix(BlueOf(d), BlueOf(s)), a);
}

// The layer as the snapshots displaced by d (raster pixels) show it.
PixelArray WholeLayer(const Before& b, Point d) {
    const PixelArray& s = b.pixels;
    PixelArray out(s.width(), s.height());
    out.fill(0);
    auto inside = [&](std::int32_t x, std::int32_t y) {
        return x >= 0 && y >= 0 && x < s.width() && y < s.height();
    };
    if (b.active && d == Point{}) return Copy(s);
    for (std::int32_t y = 0; y < out.height(); ++y)
        for (std::int32_t x = 0; x < out.width(); ++x) {
            Color32 p = 0;
            if (b.active) {
                const unsigned stay = 255u - b.coverage.get(x, y);
                if (stay) p = LayOver(p, s.get(x, y), stay);
            }
            const std::int32_t sx = x - d.x, sy = y - d.y;
            if (inside(sx, sy)) {
                if (!b.active)
                    p = s.get(sx, sy);
                else if (const unsigned m = b.coverage.get(sx, sy))
                    p = LayOver(p, s.get(sx, sy), m);
            }
            out.set(x, y, p);
        }
    return out;
}

MaskArray WholeMask(const MaskArray& m, Point d) {
    MaskArray out(m.width(), m.height());
    for (std::int32_t y = 0; y < out.height(); ++y)
        for (std::int32_t x = 0; x < out.width(); ++x) {
            const std::int32_t sx = x - d.x, sy = y - d.y;
            const bool in = sx >= 0 && sy >= 0 && sx < m.width() && sy < m.height();
            out.set(x, y, in ? m.get(sx, sy) : 0);
        }
    return out;
}

using Shape = std::function<std::uint8_t(std::int32_t x, std::int32_t y)>;

struct Case {
    const char* name;
    std::int32_t width, height;
    bool supersampled;
    Shape shape; // null: no selection
    // Pointer positions of the drag after the press at (0, 0), in raster
    // pixels of the editable raster.
    std::vector<Point> steps;
    bool loseCapture; // the drag ends without its release: all put back
    // A plain layer under an 8x selection (another layer is supersampled):
    // the layer is weighted by the selection's level 0.
    bool detailSelection = false;
};

// Noise with every alpha class, so that each branch of laying over runs.
void Fill(PixelArray& a, unsigned seed) {
    std::mt19937 rng(seed);
    for (std::int32_t y = 0; y < a.height(); ++y)
        for (std::int32_t x = 0; x < a.width(); ++x) {
            const std::uint32_t kind = rng() % 4;
            const std::uint32_t alpha = kind == 0 ? 0 : kind == 1 ? 255 : rng() % 256;
            a.set(x, y, (static_cast<std::uint32_t>(rng()) & 0xFFFFFFu) | alpha << 24);
        }
}

std::uint8_t Disc(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                  std::int32_t r) {
    const std::int32_t d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
    if (d2 < r * r) return 255;
    const std::int32_t edge = (r + 6) * (r + 6);
    return d2 < edge ? static_cast<std::uint8_t>(1 + 253 * (edge - d2) / (edge - r * r)) : 0;
}

Case Steps(const char* name, std::int32_t w, std::int32_t h, bool supersampled, Shape shape,
           std::vector<Point> steps, bool loseCapture = false, bool detailSelection = false) {
    return {name,           w, h, supersampled, std::move(shape), std::move(steps), loseCapture,
            detailSelection};
}

Shape Box(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    return [=](std::int32_t x, std::int32_t y) -> std::uint8_t {
        return x >= l && x < r && y >= t && y < b ? 255 : 0;
    };
}
Shape Discs(std::int32_t cx, std::int32_t cy, std::int32_t r) {
    return [=](std::int32_t x, std::int32_t y) { return Disc(x, y, cx, cy, r); };
}

TEST(MoveToolTiledRedraw, EveryStepDrawsWhatTheWholeRasterWould) {
    const Case cases[] = {
        Steps("rectangle, steps across tile borders", 300, 200, false, Box(50, 60, 130, 75),
              {{1, 0}, {14, 3}, {15, 4}, {80, 70}, {-49, -61}, {-200, 5}, {0, 0}, {3, -2}}),
        Steps("soft disc, off the edges and back", 260, 190, false, Discs(70, 60, 30),
              {{5, 5}, {250, 0}, {400, 300}, {-500, -130}, {-10, 64}, {64, -64}}),
        Steps("no selection: the whole layer moves", 200, 150, false, nullptr,
              {{3, 4}, {-70, 10}, {250, -20}, {0, 0}, {65, 64}}),
        Steps("lost capture puts it back", 200, 150, false, Discs(100, 75, 40),
              {{33, -12}, {90, 40}}, true),
        Steps("supersampled, soft selection", 40, 30, true, Discs(150, 110, 60),
              {{8, 0}, {64, 72}, {-128, -8}, {200, 200}, {0, 0}, {-16, 24}}),
        Steps("plain layer under an 8x selection", 90, 70, false, Discs(200, 250, 150),
              {{1, 0}, {9, -8}, {-40, 30}, {0, 0}, {70, 2}}, false, true),
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ToolBench bench(c.width, c.height, kWhite, c.supersampled);
        if (c.detailSelection) {
            Layer& plain = bench.layer();
            auto* other = static_cast<Layer*>(bench.image->insertLayer(std::make_unique<Layer>()));
            other->setSupersampled(true);
            bench.image->setCurrentLayer(&plain);
            bench.image->update();
            ASSERT_TRUE(bench.image->selection()->supersampled());
        }
        PixelArray& layer = bench.pixels();
        Fill(layer, static_cast<unsigned>(c.width * 7 + c.height));
        Selection& selection = *bench.image->selection();
        if (c.shape) {
            MaskArray& mask = selection.editableMask();
            for (std::int32_t y = 0; y < mask.height(); ++y)
                for (std::int32_t x = 0; x < mask.width(); ++x)
                    mask.set(x, y, c.shape(x, y));
            selection.refreshFromDetail(nullptr);
            selection.setActive(true);
        }
        bench.layer().refreshFromDetail(nullptr);
        bench.image->update();
        CommitSnapshots(*bench.image);
        const Before before{Copy(layer),
                            Copy(c.detailSelection ? selection.mask() : selection.editableMask()),
                            Copy(selection.editableMask()), c.shape != nullptr};
        const std::int32_t maskScale = c.detailSelection ? 8 : 1;
        bench.use(ToolId::Move);
        // One raster pixel in image units: the grid at zoom 8 is one layer
        // pixel on a supersampled layer, one image pixel otherwise.
        bench.host.zoomFactor = 8;
        const std::int32_t unit = c.supersampled ? 32 : 256;
        bench.press({unit / 2, unit / 2});
        auto check = [&](Point d, const char* when) {
            SCOPED_TRACE(when);
            ASSERT_TRUE(layer.sameContents(WholeLayer(before, d)))
                << "layer differs at offset " << d.x << ", " << d.y;
            if (c.shape) {
                ASSERT_TRUE(selection.editableMask().sameContents(
                    WholeMask(before.mask, {d.x * maskScale, d.y * maskScale})))
                    << "selection differs at offset " << d.x << ", " << d.y;
            }
            // The lower levels as a whole refresh would leave them.
            const PixelArray levelZero = Copy(bench.layer().pixels());
            const MaskArray maskZero = Copy(selection.mask());
            const Rect bounds = selection.bounds();
            bench.layer().refreshFromDetail(nullptr);
            selection.refreshFromDetail(nullptr);
            ASSERT_TRUE(levelZero.sameContents(bench.layer().pixels())) << "stale lower level";
            ASSERT_TRUE(maskZero.sameContents(selection.mask())) << "stale lower selection level";
            EXPECT_EQ(bounds, selection.bounds());
        };
        for (const Point& step : c.steps) {
            bench.move({step.x * unit + unit / 2, step.y * unit + unit / 2});
            check(step, "during the drag");
        }
        if (c.loseCapture) {
            bench.view.captureEnded();
            check({}, "after the lost capture");
        } else {
            bench.release();
            check(c.steps.back(), "after the release");
        }
    }
}

// Changes between two steps behind the drag's back (an undo; a new
// selection, which takes fresh snapshots): the next step must not trust
// what it drew before, and draws what the whole-raster redraw from the
// snapshots as they now are gives.
TEST(MoveToolTiledRedraw, AChangeBetweenStepsMakesTheNextStepDrawWhole) {
    const std::function<void(ToolBench&)> changes[] = {
        [](ToolBench& b) { ASSERT_TRUE(b.history().undo(*b.image)); },
        [](ToolBench& b) {
            SelectRect(*b.image, {120, 10, 190, 130});
        },
    };
    for (const auto& change : changes) {
        ToolBench bench(200, 140);
        Fill(bench.pixels(), 3);
        bench.image->update();
        CommitSnapshots(*bench.image);
        SelectRect(*bench.image, {20, 30, 90, 70});
        bench.use(ToolId::Move);
        bench.drag({At(0, 0), At(70, 40)});
        ASSERT_EQ(bench.history().count(), 1);
        bench.press(At(0, 0));
        bench.move(At(3, 1));
        bench.move(At(5, 2));
        change(bench);
        bench.move(At(-60, 9));
        const PixelArray drawn = Copy(bench.pixels());
        ASSERT_TRUE(RedrawLayerFromSnapshot(bench.layer(), bench.image->selection()->active()));
        EXPECT_TRUE(drawn.sameContents(bench.pixels()));
        bench.release();
    }
}

} // namespace
} // namespace kv
