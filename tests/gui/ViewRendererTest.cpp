#include "ui/view/ViewRenderer.h"
#include "GuiTestSupport.h"
#include "model/Blending.h"
#include "model/FixedPoint.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "ui/view/ZoomTable.h"

#include <gtest/gtest.h>

#include <random>

namespace kv {
namespace {

using test::ImageOf;
using test::LayerOf;

constexpr Color32 kA = 0xFFF0F0F0, kB = 0xFFC0C0C0;

ViewScene SceneOf(const Image& image, Point origin, int zoom,
                  ChannelMode mode = ChannelMode::Normal) {
    ViewScene scene;
    scene.image = &image;
    scene.origin = origin;
    scene.zoom = zoom;
    scene.mode = mode;
    return scene;
}

PixelArray Render(const ViewScene& scene, std::int32_t w, std::int32_t h) {
    PixelArray buffer(w, h);
    RenderView(buffer, buffer.bounds(), scene);
    return buffer;
}

TEST(ViewRenderer, ChequerSquaresAreAlignedToTheImageOrigin) {
    PixelArray buffer(40, 40);
    FillChequer(buffer, buffer.bounds(), {3, 5}, kA, kB);
    const struct {
        Point at;
        Color32 expected;
    } cases[] = {
        {{3, 5}, kA}, {{10, 12}, kA}, {{11, 5}, kB}, {{2, 5}, kB}, {{3, 13}, kB}, {{2, 4}, kA},
    };
    for (const auto& c : cases)
        EXPECT_EQ(buffer.get(c.at.x, c.at.y), c.expected) << c.at.x << "," << c.at.y;
}

TEST(ViewRenderer, FrameJustOutsideTheScaledImageOnBackground) {
    const auto image = ImageOf(4, 3, {0xFF112233});
    const PixelArray view = Render(SceneOf(*image, {10, 10}, 2), 30, 30);
    // The image covers 10..17 x 10..15.
    for (Point p :
         {Point{9, 9}, Point{18, 16}, Point{9, 12}, Point{18, 12}, Point{12, 9}, Point{12, 16}})
        EXPECT_EQ(view.get(p.x, p.y), kViewFrame) << p.x << "," << p.y;
    for (Point p : {Point{8, 8}, Point{19, 12}})
        EXPECT_EQ(view.get(p.x, p.y), kViewBackground) << p.x << "," << p.y;
    EXPECT_EQ(view.get(17, 15), 0xFF112233u);
}

TEST(ViewRenderer, CachesAroundTheCurrentLayerShowTheComposite) {
    // Opaque at the bottom, so the view over the chequer is the composite.
    auto image = ImageOf(8, 8, {0xFFFF0000, 0x8000FF00, 0x00000000}, 2);
    LayerOf(*image, 3).pixels().set(2, 3, 0x800000FF);
    image->update();
    ASSERT_NE(image->validBelowCache(), nullptr);
    ASSERT_NE(image->validAboveCache(), nullptr);
    const PixelArray view = Render(SceneOf(*image, {0, 0}, 1), 8, 8);
    EXPECT_TRUE(view.sameContents(image->composite()));
    // The current layer is drawn live: a change not yet in the composite shows.
    LayerOf(*image, 2).pixels().set(5, 5, 0xFF00FF00);
    EXPECT_EQ(Render(SceneOf(*image, {0, 0}, 1), 8, 8).get(5, 5), 0xFF00FF00u);
}

TEST(ViewRenderer, ChannelModesRewriteWhatIsShown) {
    auto image = ImageOf(3, 1, {0});
    PixelArray& pixels = LayerOf(*image, 1).pixels();
    pixels.set(1, 0, 0xFF102030);
    pixels.set(2, 0, 0x80AABBCC);
    image->update();
    const auto show = [&](ChannelMode mode) {
        return Render(SceneOf(*image, {0, 0}, 1, mode), 3, 1);
    };
    const PixelArray alpha = show(ChannelMode::AlphaOnly);
    EXPECT_EQ(alpha.get(0, 0), 0xFF000000u); // transparent: black
    EXPECT_EQ(alpha.get(1, 0), 0xFFFFFFFFu); // opaque: white
    EXPECT_EQ(alpha.get(2, 0), 0xFF808080u);
    EXPECT_EQ(show(ChannelMode::ColorOnly).get(2, 0), 0xFFAABBCCu);
    EXPECT_EQ(show(ChannelMode::Normal).get(0, 0), kA); // the chequer shows through
    // A hidden current layer and nothing else: black in both channel modes.
    image->currentLayer()->setVisible(false);
    EXPECT_EQ(show(ChannelMode::ColorOnly).get(1, 0), 0xFF000000u);
}

TEST(ViewRenderer, PixelGridFromFactorFourOnInnerBoundaries) {
    constexpr Color32 c = 0xFF406080;
    const auto image = ImageOf(4, 4, {c});
    EXPECT_EQ(Render(SceneOf(*image, {0, 0}, 2), 8, 8).get(2, 1), c); // no grid below 4
    const PixelArray view = Render(SceneOf(*image, {0, 0}, 4), 16, 16);
    const ViewColors colors;
    const std::uint32_t f = OpacityToFraction(0.25f);
    EXPECT_EQ(view.get(4, 1), BlendOverPixel(c, colors.gridA, f)); // rows 0-1: dash A
    EXPECT_EQ(view.get(4, 2), BlendOverPixel(c, colors.gridB, f)); // rows 2-3: dash B
    EXPECT_EQ(view.get(4, 4), BlendOverPixel(c, colors.gridA, f)); // a crossing, blended once
    EXPECT_EQ(view.get(5, 5), c);
    EXPECT_EQ(view.get(0, 1), c); // the outer edges have the frame instead
}

TEST(ViewRenderer, SubPixelGridOnlyOnAVisibleSupersampledLayer) {
    constexpr Color32 c = 0xFF406080;
    auto image = ImageOf(2, 2, {c});
    const auto fineLine = [&] { return Render(SceneOf(*image, {0, 0}, 32), 64, 64).get(4, 10); };
    EXPECT_EQ(fineLine(), c);
    LayerOf(*image, 1).setSupersampled(true);
    image->update();
    EXPECT_EQ(fineLine(), BlendOverPixel(c, ViewColors{}.gridB, OpacityToFraction(0.25f)));
    // The pixel grid over it comes to 0.75 altogether.
    const PixelArray view = Render(SceneOf(*image, {0, 0}, 32), 64, 64);
    const Color32 fine = BlendOverPixel(c, ViewColors{}.gridA, OpacityToFraction(0.25f));
    EXPECT_EQ(view.get(32, 0),
              BlendOverPixel(fine, ViewColors{}.gridA,
                             OpacityToFraction(PixelGridOpacityOver(0.75f, 0.25f))));
}

TEST(ViewRenderer, SelectionOutlineWhileTheSelectionIsActive) {
    auto image = ImageOf(4, 4, {0xFF000000});
    Selection& selection = *image->selection();
    selection.editableMask().set(1, 1, 255);
    selection.refreshFromDetail(nullptr);
    const Point origin{3, 2};
    ViewScene scene = SceneOf(*image, origin, 4);
    scene.outlinePhase = 5;
    const Point edge{origin.x + 4, origin.y + 6}; // left side of cell (1, 1)
    const Color32 before = Render(scene, 30, 30).get(edge.x, edge.y);
    selection.setActive(true);
    const PixelArray view = Render(scene, 30, 30);
    EXPECT_NE(view.get(edge.x, edge.y), before);
    EXPECT_EQ(view.get(origin.x + 6, origin.y + 6), 0xFF000000u); // inside the cell
}

TEST(ViewRenderer, APartOfTheViewIsDrawnAsInTheWhole) {
    std::mt19937 rng(7);
    auto image = ImageOf(20, 15, {0, 0, 0}, 2);
    for (std::uint32_t i = 1; i <= 3; ++i) {
        PixelArray& p = LayerOf(*image, i).pixels();
        for (std::int32_t y = 0; y < p.height(); ++y)
            for (std::int32_t x = 0; x < p.width(); ++x)
                p.set(x, y, std::uniform_int_distribution<std::uint32_t>()(rng));
    }
    Selection& selection = *image->selection();
    selection.editableMask().fillRect({3, 3, 9, 8}, 255);
    selection.refreshFromDetail(nullptr);
    selection.setActive(true);
    image->update();
    for (int zoom : {1, 4, 8}) {
        ViewScene scene = SceneOf(*image, {-13, 7}, zoom);
        scene.outlinePhase = 3;
        const PixelArray whole = Render(scene, 120, 90);
        for (const Rect& part : {Rect{0, 0, 17, 9}, Rect{5, 6, 55, 41}, Rect{60, 30, 120, 90}}) {
            ViewScene shifted = scene;
            shifted.origin = {scene.origin.x - part.left, scene.origin.y - part.top};
            const PixelArray piece = Render(shifted, part.width(), part.height());
            for (std::int32_t y = 0; y < part.height(); ++y)
                for (std::int32_t x = 0; x < part.width(); ++x)
                    ASSERT_EQ(piece.get(x, y), whole.get(part.left + x, part.top + y))
                        << "zoom " << zoom << " at " << part.left + x << "," << part.top + y;
        }
    }
}

} // namespace
} // namespace kv
