#include "CompositingTestSupport.h"
#include "model/Blending.h"
#include "model/Compositor.h"
#include "model/FixedPoint.h"
#include "model/LevelReducer.h"
#include "model/MagnifiedRenderer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace kv {
namespace {

using namespace kv::test;

constexpr Color32 kBackground = MakeColor32(10, 200, 30, 180);

// What a view pixel should show: the source pixel under it, found by dividing
// view coordinates rather than walking blocks.
PixelArray ExpectedView(const PixelArray& view, const Rect& clip, Point origin, int zoom,
                        const PixelArray& src, RenderOperation operation, std::uint32_t fraction) {
    const Rect area = clip.intersected(view.bounds());
    return Raster(view.width(), view.height(), [&](std::int32_t x, std::int32_t y) {
        const Color32 d = view.get(x, y);
        const std::int32_t dx = x - origin.x, dy = y - origin.y;
        if (!area.contains(x, y) || dx < 0 || dy < 0 || dx / zoom >= src.width() ||
            dy / zoom >= src.height())
            return d;
        const Color32 s = src.get(dx / zoom, dy / zoom);
        return operation == RenderOperation::Copy ? s : BlendOverPixel(d, s, fraction);
    });
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

TEST(ReduceLevels, WideRowsAgreeWithBlockByBlockReduction) {
    // Long rows go through vector lanes; a single block never does.
    std::mt19937 rng(3);
    PixelArray one(1, 1);
    for (std::int32_t w = 1; w <= 40; ++w) {
        PixelArray src = RandomPixels(2 * w, 4, rng);
        for (std::int32_t x = 0; x < 2 * w; x += 5)
            src.set(x, 1, src.get(x, 1) & 0x00FFFFFF);
        src.fillRect(Rect{0, 2, 4, 4}, 0x00FFFFFF); // a fully transparent block
        PixelArray dst(w, 2);
        ReduceTwice(src, dst, dst.bounds());
        for (std::int32_t y = 0; y < 2; ++y)
            for (std::int32_t x = 0; x < w; ++x) {
                ReduceTwice(
                    Raster(2, 2, [&](auto bx, auto by) { return src.get(2 * x + bx, 2 * y + by); }),
                    one, one.bounds());
                ASSERT_EQ(dst.get(x, y), one.get(0, 0)) << "width " << w << " at " << x << "," << y;
            }
    }
    // S = 340: alpha 85; red 65025 / 340 = 191.25, blue 21675 / 340 = 63.75.
    const Color32 block[] = {kRed, MakeColor32(0, 0, 255, 85), 0x00FF00FF, 0};
    ReduceTwice(Raster(2, 2, [&](auto x, auto y) { return block[y * 2 + x]; }), one, one.bounds());
    EXPECT_EQ(one.get(0, 0), MakeColor32(191, 0, 64, 85));
}

TEST(ReduceLevels, ReduceAfterReplicateGivesBackEveryPixelWithAlpha) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 20; ++round) {
        const std::int32_t w = 1 + static_cast<std::int32_t>(rng() % 17);
        const std::int32_t h = 1 + static_cast<std::int32_t>(rng() % 13);
        const PixelArray original = Raster(w, h, [&](auto x, auto y) {
            const Color32 p = static_cast<Color32>(rng());
            return y == 0 && x % 3 == 0 ? p & 0x00FFFFFF : p; // some transparent ones
        });
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
    auto layer = SolidLayer(4, 4, kRed);
    layer->setSupersampled(true);
    layer->editablePixels().fill(kBlue);
    const Rect painted{1, 2, 3, 9}; // clipped to rows 2-3
    layer->refreshFromDetail(&painted);
    for (int level = 0; level < SupersampleSet::kLevels; ++level) {
        const int f = 1 << level;
        const PixelArray& raster = layer->supersampleSet()->level(level);
        EXPECT_TRUE(raster.sameContents(Raster(
            4 * f, 4 * f,
            [&](auto x, auto y) { return x >= f && x < 3 * f && y >= 2 * f ? kBlue : kRed; })))
            << "level " << level;
    }
}

} // namespace
} // namespace kv
