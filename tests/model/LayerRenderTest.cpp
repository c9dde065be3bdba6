#include "CompositingTestSupport.h"
#include "model/Compositor.h"
#include "model/FixedPoint.h"
#include "model/LevelReducer.h"
#include "model/MagnifiedRenderer.h"

#include <gtest/gtest.h>

#include <random>

namespace kv {
namespace {

using namespace kv::test;

constexpr Color32 kBackground = MakeColor32(10, 200, 30, 180);

// What a view pixel should show: the source pixel under it, found by dividing
// view coordinates rather than walking blocks.
PixelArray ExpectedView(const PixelArray& view, const Rect& clip, Point origin, int zoom,
                        const PixelArray& src, RenderOperation operation, std::uint32_t fraction) {
    PixelArray expected(view.width(), view.height());
    CopyRaster(expected, 0, 0, view);
    const Rect area = clip.intersected(view.bounds());
    for (std::int32_t y = area.top; y < area.bottom; ++y)
        for (std::int32_t x = area.left; x < area.right; ++x) {
            const std::int32_t dx = x - origin.x, dy = y - origin.y;
            if (dx < 0 || dy < 0 || dx / zoom >= src.width() || dy / zoom >= src.height()) continue;
            const Color32 s = src.get(dx / zoom, dy / zoom);
            if (operation == RenderOperation::Copy) {
                expected.set(x, y, s);
            } else {
                PixelArray one = Filled(1, 1, s);
                BlendOverByFraction(expected, Point{x, y}, one, one.bounds(), fraction);
            }
        }
    return expected;
}

TEST(RenderMagnified, MatchesPerPixelLookupForEveryViewZoom) {
    std::mt19937 rng(7);
    PixelArray src = RandomPixels(5, 4, rng);
    src.set(0, 0, 0x00112233); // transparent
    src.set(1, 0, kRed);       // opaque
    struct Placement {
        Point origin;
        Rect clip;
    };
    const Placement placements[] = {
        {{0, 0}, {0, 0, 400, 300}},    {{-7, -3}, {2, 1, 90, 77}}, {{13, 9}, {-5, -5, 500, 500}},
        {{-150, -90}, {0, 0, 41, 33}}, {{3, 2}, {50, 40, 50, 90}}, // empty clip
    };
    const int zooms[] = {1, 2, 3, 4, 8, 16, 24, 32, 48, 64};
    for (RenderOperation operation : {RenderOperation::Copy, RenderOperation::Blend})
        for (int zoom : zooms)
            for (const Placement& p : placements) {
                PixelArray view = Filled(97, 71, kBackground);
                const PixelArray expected =
                    ExpectedView(view, p.clip, p.origin, zoom, src, operation, 1u << 23);
                RenderMagnified(view, p.clip, p.origin, zoom, src, operation, 0.5f);
                ASSERT_TRUE(view.sameContents(expected))
                    << "zoom " << zoom << " origin " << p.origin.x << "," << p.origin.y
                    << " operation " << static_cast<int>(operation);
            }
}

TEST(LayerRender, CopyAppliesOpacityToTheWholeClipRect) {
    auto layer = SolidLayer(2, 2, kRed, 0.5f);
    PixelArray view = Filled(10, 10, kWhite);
    layer->render(view, Rect{0, 0, 6, 6}, Point{1, 1}, 2, RenderOperation::Copy);
    EXPECT_EQ(view.get(1, 1), MakeColor32(255, 0, 0, 128));
    EXPECT_EQ(view.get(4, 4), MakeColor32(255, 0, 0, 128));
    EXPECT_EQ(view.get(0, 0),
              MakeColor32(255, 255, 255, 128)); // inside the clip, outside the layer
    EXPECT_EQ(view.get(6, 6), kWhite);

    PixelArray blended = Filled(4, 4, kBlue);
    layer->render(blended, blended.bounds(), Point{0, 0}, 2, RenderOperation::Blend);
    EXPECT_EQ(blended.get(3, 3), MakeColor32(128, 0, 127, 255));
}

// A supersampled layer whose levels are told apart by their color.
std::unique_ptr<Layer> LeveledLayer() {
    auto layer = SolidLayer(2, 2, 0);
    layer->setSupersampled(true);
    SupersampleSet& set = *layer->supersampleSet();
    for (int level = 0; level <= SupersampleSet::kLevels; ++level) {
        PixelArray& raster = set.level(level);
        for (std::int32_t y = 0; y < raster.height(); ++y)
            for (std::int32_t x = 0; x < raster.width(); ++x)
                raster.set(x, y, MakeColor32(level * 60, x, y, 255));
    }
    return layer;
}

TEST(LayerRender, SupersampledLayerPicksTheLevelTheZoomAllows) {
    auto layer = LeveledLayer();
    struct Case {
        int zoom, level, residual;
    };
    const Case cases[] = {{1, 0, 1},  {2, 1, 1},  {4, 2, 1}, {8, 3, 1},
                          {16, 3, 2}, {24, 3, 3}, {64, 3, 8}};
    for (const Case& c : cases) {
        PixelArray view = Filled(2 * c.zoom, 2 * c.zoom, 0);
        layer->render(view, view.bounds(), Point{0, 0}, c.zoom, RenderOperation::Copy);
        for (std::int32_t y = 0; y < view.height(); ++y)
            for (std::int32_t x = 0; x < view.width(); ++x)
                ASSERT_EQ(view.get(x, y),
                          MakeColor32(c.level * 60, x / c.residual, y / c.residual, 255))
                    << "zoom " << c.zoom << " at " << x << "," << y;
    }
}

TEST(ReduceLevels, BlockAverages) {
    struct Case {
        const char* what;
        Color32 p1, p2, p3, p4, expected;
    };
    const Case cases[] = {
        {"all transparent", 0x00FFFFFF, 0x00123456, 0, 0, 0},
        {"two white halves round up", kWhite, kWhite, 0, 0, MakeColor32(255, 255, 255, 128)},
        // S = 340: alpha 85; red 65025 / 340 = 191.25, blue 21675 / 340 = 63.75.
        {"alpha weighted", kRed, MakeColor32(0, 0, 255, 85), 0x00FF00FF, 0,
         MakeColor32(191, 0, 64, 85)},
        {"uniform", kBlue, kBlue, kBlue, kBlue, kBlue},
    };
    for (const Case& c : cases) {
        PixelArray src(2, 2), dst(1, 1);
        src.set(0, 0, c.p1);
        src.set(1, 0, c.p2);
        src.set(0, 1, c.p3);
        src.set(1, 1, c.p4);
        ReduceTwice(src, dst, dst.bounds());
        EXPECT_EQ(dst.get(0, 0), c.expected) << c.what;
    }
}

TEST(ReduceLevels, WideRowsAgreeWithBlockByBlockReduction) {
    // Long rows go through vector lanes; a single block never does.
    std::mt19937 rng(3);
    for (std::int32_t w = 1; w <= 40; ++w) {
        PixelArray src = RandomPixels(2 * w, 4, rng);
        for (std::int32_t x = 0; x < 2 * w; x += 5)
            src.set(x, 1, src.get(x, 1) & 0x00FFFFFF);
        src.fillRect(Rect{0, 2, 4, 4}, 0x00FFFFFF); // a fully transparent block
        PixelArray dst(w, 2);
        ReduceTwice(src, dst, dst.bounds());
        for (std::int32_t y = 0; y < 2; ++y)
            for (std::int32_t x = 0; x < w; ++x) {
                PixelArray block(2, 2), one(1, 1);
                CopyRaster(block, 0, 0, src, 2 * x, 2 * y, 2, 2);
                ReduceTwice(block, one, one.bounds());
                ASSERT_EQ(dst.get(x, y), one.get(0, 0)) << "width " << w << " at " << x << "," << y;
            }
    }
}

TEST(ReduceLevels, ReduceAfterReplicateGivesBackEveryPixelWithAlpha) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 20; ++round) {
        const std::int32_t w = 1 + static_cast<std::int32_t>(rng() % 17);
        const std::int32_t h = 1 + static_cast<std::int32_t>(rng() % 13);
        PixelArray original = RandomPixels(w, h, rng);
        for (std::int32_t x = 0; x < w; x += 3)
            original.set(x, 0, original.get(x, 0) & 0x00FFFFFF); // some transparent ones
        Layer layer;
        layer.setSize(w, h);
        CopyRaster(layer.pixels(), 0, 0, original);
        layer.setSupersampled(true);
        layer.refreshFromDetail(nullptr);
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x) {
                const Color32 p = original.get(x, y);
                ASSERT_EQ(layer.pixels().get(x, y), AlphaOf(p) ? p : 0u)
                    << w << "x" << h << " at " << x << "," << y;
            }
    }
}

TEST(ReduceLevels, RefreshTouchesOnlyTheRectangleOnEveryLevel) {
    Layer layer;
    layer.setSize(4, 4);
    layer.pixels().fill(kRed);
    layer.setSupersampled(true);
    layer.editablePixels().fill(kBlue);
    const Rect painted{1, 2, 3, 9}; // clipped to rows 2-3
    layer.refreshFromDetail(&painted);
    const SupersampleSet& set = *layer.supersampleSet();
    for (int level = 0; level < SupersampleSet::kLevels; ++level) {
        const PixelArray& raster = set.level(level);
        const int f = 1 << level;
        for (std::int32_t y = 0; y < raster.height(); ++y)
            for (std::int32_t x = 0; x < raster.width(); ++x) {
                const bool inside = x >= f && x < 3 * f && y >= 2 * f;
                ASSERT_EQ(raster.get(x, y), inside ? kBlue : kRed)
                    << "level " << level << " at " << x << "," << y;
            }
    }
    // A plain layer has no levels to refresh.
    Layer plain;
    plain.setSize(2, 2);
    plain.pixels().fill(kRed);
    plain.refreshFromDetail(nullptr);
    EXPECT_EQ(plain.pixels().get(1, 1), kRed);
}

} // namespace
} // namespace kv
