// The tool set, modes from the modifier keys with their cursors and hints,
// the shared key handling, what every dragging tool does with a lost capture
// or the other button, colour picking and the overlays, driven through the
// view-to-tool bridge.
#include "ToolTestSupport.h"
#include "tools/framework/OverlayCanvas.h"
#include "tools/framework/ToolSettings.h"
#include "tools/framework/VisibleColor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv {
namespace {
using namespace test;

TEST(ToolSet, SwitchingShowsTheOptionsAndChoosingTheCurrentToolDoesNothing) {
    ToolBench bench;
    Tool& brush = bench.use(ToolId::Brush);
    EXPECT_TRUE(brush.isActive());
    const OptionsPanel& panel = bench.host.shownPanel;
    EXPECT_EQ(panel.options.size(), 3u);
    EXPECT_EQ(panel.preview, OptionsPreview::Tip);
    const int repaints = bench.host.repaints;
    EXPECT_FALSE(bench.tools.select(ToolId::Brush));
    EXPECT_EQ(bench.host.repaints, repaints);
    bench.use(ToolId::ColorPicker);
    EXPECT_FALSE(brush.isActive());
    EXPECT_TRUE(bench.host.shownPanel.options.empty());
}

TEST(FreehandTools, ModesAndCursorsFollowTheKeysTheLayerAndTheTip) {
    const ModifierKeys none{}, ctrl{.control = true}, alt{.alt = true}, shift{.shift = true};
    const struct {
        ToolId tool;
        ModifierKeys keys;
        bool visible, supersampled;
        std::uint32_t size;
        int zoom;
        ToolMode mode;
        CursorRole cursor;
    } cases[] = {
        {ToolId::Brush, none, true, false, 8, 1, ToolMode::Paint, CursorRole::SmallTipEven},
        {ToolId::Brush, none, true, false, 3, 2, ToolMode::Paint, CursorRole::SmallTipEven},
        {ToolId::Brush, none, true, false, 9, 1, ToolMode::Paint, CursorRole::PreciseCross},
        {ToolId::Brush, none, true, true, 8, 1, ToolMode::Paint, CursorRole::SmallTipOdd},
        {ToolId::Pencil, ctrl, true, false, 1, 4, ToolMode::Line, CursorRole::SmallTipEven},
        {ToolId::Pencil, alt, true, false, 1, 1, ToolMode::Pick, CursorRole::ColorPicking},
        {ToolId::Pencil, alt, false, false, 1, 1, ToolMode::Pick, CursorRole::ColorPicking},
        {ToolId::Pencil, shift, false, false, 1, 1, ToolMode::None, CursorRole::Arrow},
        {ToolId::Eraser, alt, true, false, 5, 1, ToolMode::Paint, CursorRole::SmallTipOdd},
        {ToolId::Eraser, ctrl, true, false, 5, 2, ToolMode::Line, CursorRole::PreciseCross},
    };
    for (const auto& c : cases) {
        ToolBench bench(16, 16, kWhite, c.supersampled);
        bench.layer().setVisible(c.visible);
        bench.host.zoomFactor = c.zoom;
        bench.set(kBrushSizeSetting, c.size);
        bench.set(kPencilSizeSetting, c.size);
        bench.set(kEraserSizeSetting, c.size);
        Tool& tool = bench.use(c.tool);
        bench.keys(c.keys);
        bench.move(At(3, 3));
        SCOPED_TRACE(::testing::Message()
                     << tool.name() << " size " << c.size << " zoom " << c.zoom);
        EXPECT_EQ(tool.mode(), c.mode);
        EXPECT_EQ(bench.view.setCursor(At(3, 3)), c.cursor);
    }
}

TEST(FreehandTools, ModifierKeysAreTakenOnlyWhileIdle) {
    ToolBench bench;
    bench.use(ToolId::Brush);
    const int refreshes = bench.host.cursorRefreshes;
    bench.host.keys = {.alt = true};
    EXPECT_TRUE(bench.view.keyDown(kKeyAlt, false));
    EXPECT_EQ(bench.host.cursorRefreshes, refreshes + 1);
    EXPECT_EQ(bench.tools.current()->mode(), ToolMode::Pick);
    const std::string pickHint = bench.host.text(StatusField::Hint);
    bench.host.keys = {};
    bench.view.keyUp(kKeyAlt);
    EXPECT_EQ(bench.tools.current()->mode(), ToolMode::Paint);
    // The hint follows the mode.
    EXPECT_FALSE(pickHint.empty());
    EXPECT_NE(bench.host.text(StatusField::Hint), pickHint);
    EXPECT_FALSE(bench.host.text(StatusField::Hint).empty());
    EXPECT_FALSE(bench.view.keyDown('A', false));
    bench.press(At(2, 2));
    EXPECT_FALSE(bench.view.keyDown(kKeyControl, false));
    EXPECT_EQ(bench.tools.current()->mode(), ToolMode::Paint);
}

// A drag whose capture is lost (another window took the pointer) changes
// nothing, records nothing and leaves the tool idle.
TEST(ToolSet, ALostCaptureRecordsNothingInEveryDraggingTool) {
    const struct {
        ToolId id;
        bool line; // with CTRL held
    } cases[] = {{ToolId::Pencil, true},     {ToolId::Brush, true},    {ToolId::Eraser, true},
                 {ToolId::Rectangle, false}, {ToolId::Ellipse, false}, {ToolId::Gradient, false},
                 {ToolId::Selection, false}, {ToolId::Move, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(DescribeTool(c.id).toolboxName);
        ToolBench bench(16, 16);
        bench.pixels().set(1, 1, kBlack); // something for the Move Tool to move
        CommitSnapshots(*bench.image);
        bench.use(c.id);
        if (c.line) bench.keys({.control = true});
        bench.press(At(1, 1));
        bench.move(At(6, 4));
        EXPECT_TRUE(bench.view.wantsAutoScroll());
        bench.view.captureEnded();
        EXPECT_EQ(bench.history().count(), 0);
        EXPECT_EQ(CountChanged(bench.pixels(), kWhite), 1);
        EXPECT_EQ(bench.pixels().get(1, 1), kBlack);
        EXPECT_FALSE(bench.image->selection()->active());
        EXPECT_EQ(bench.tools.current()->state(), ToolState::Idle);
        EXPECT_EQ(bench.view.interaction(), ViewInteraction::Idle);
    }
}

TEST(ToolSet, SomeToolsTakeOnlyTheLeftButton) {
    for (const ToolId id : {ToolId::Eraser, ToolId::MagicWand, ToolId::Move, ToolId::Selection}) {
        SCOPED_TRACE(DescribeTool(id).toolboxName);
        ToolBench bench;
        bench.pixels().set(1, 1, kBlack);
        CommitSnapshots(*bench.image);
        bench.use(id);
        bench.press(At(1, 1), MouseButton::Right);
        EXPECT_FALSE(bench.host.captured);
        bench.move(At(4, 4));
        bench.release(MouseButton::Right);
        EXPECT_EQ(bench.history().count(), 0);
        EXPECT_EQ(CountChanged(bench.pixels(), kWhite), 1);
        EXPECT_FALSE(bench.image->selection()->active());
    }
}

TEST(FreehandTools, SuspendingHidesTheOutlineAndTheCursorStepResumes) {
    ToolBench bench;
    Tool& pencil = bench.use(ToolId::Pencil);
    bench.move(At(4, 4));
    bench.host.invalidated.clear();
    bench.view.pointerLeft();
    EXPECT_TRUE(pencil.isSuspended());
    ASSERT_EQ(bench.host.invalidated.size(), 1u);
    EXPECT_EQ(bench.host.invalidated[0], (Rect{1024, 1024, 1280, 1280}));
    bench.move(At(5, 5)); // not delivered to a suspended tool
    EXPECT_EQ(bench.host.invalidated.size(), 1u);
    bench.view.setCursor(At(6, 6));
    EXPECT_FALSE(pencil.isSuspended());
    EXPECT_EQ(bench.host.invalidated.back(), (Rect{1536, 1536, 1792, 1792}));
}

// Red below, and on the current layer a half-transparent blue pixel at (2, 3).
std::unique_ptr<Image> TwoLayers() {
    auto image = MakeImage(6, 6, MakeColor32(255, 0, 0, 255));
    auto* top = image->insertLayer(std::make_unique<Layer>());
    top->pixels().fill(0);
    top->pixels().set(2, 3, MakeColor32(0, 0, 255, 128));
    image->setCurrentLayer(top);
    image->update();
    CommitSnapshots(*image);
    return image;
}

TEST(ColorPicker, PicksWhatTheViewShowsWithEitherButton) {
    ToolBench bench;
    auto image = TwoLayers();
    bench.host.currentImage = image.get();
    bench.use(ToolId::ColorPicker);
    bench.move(At(0, 0));
    EXPECT_EQ(bench.view.setCursor(At(0, 0)), CursorRole::ColorPicking);
    const Color32 shown = image->composite().get(2, 3);
    EXPECT_EQ(shown, MakeColor32(127, 0, 128, 255));
    bench.click(At(2, 3));
    EXPECT_EQ(bench.store.colorValue(kPrimaryColorSetting), shown);
    bench.press(At(0, 0), MouseButton::Right);
    EXPECT_EQ(bench.store.colorValue(kSecondaryColorSetting), MakeColor32(255, 0, 0, 255));
    bench.move(At(2, 3));
    EXPECT_EQ(bench.store.colorValue(kSecondaryColorSetting), shown);
    EXPECT_EQ(bench.host.text(StatusField::Color), "127,0,128");
    bench.move(At(9, 9)); // outside: nothing picked
    EXPECT_EQ(bench.store.colorValue(kSecondaryColorSetting), shown);
    bench.release(MouseButton::Right);
    EXPECT_EQ(bench.host.colorChanges, 3);
    EXPECT_EQ(ManagerOf(*image).count(), 0);
}

TEST(ColorPicker, AltWithThePaintingToolsPicksInsteadOfPainting) {
    for (const ToolId id : {ToolId::Brush, ToolId::Pencil, ToolId::Ellipse, ToolId::FloodFill}) {
        SCOPED_TRACE(DescribeTool(id).toolboxName);
        ToolBench bench;
        auto image = TwoLayers();
        bench.host.currentImage = image.get();
        bench.use(id);
        bench.keys({.alt = true});
        EXPECT_EQ(bench.view.setCursor(At(2, 3)), CursorRole::ColorPicking);
        bench.click(At(2, 3));
        EXPECT_EQ(bench.store.colorValue(kPrimaryColorSetting), MakeColor32(127, 0, 128, 255));
        EXPECT_EQ(ManagerOf(*image).count(), 0);
        EXPECT_EQ(image->currentLayer()->pixels().get(2, 3), MakeColor32(0, 0, 255, 128));
    }
}

TEST(ColorPicker, ReadsTheDetailLevelTheZoomShows) {
    ToolBench bench(2, 2, kWhite, true);
    bench.pixels().set(9, 10, kBlack); // inside image pixel (1, 1)
    EXPECT_EQ(VisibleColorAt(*bench.image, {256 + 32 + 16, 256 + 64 + 16}, 8), kBlack);
    EXPECT_EQ(VisibleColorAt(*bench.image, {256 + 16, 256 + 64 + 16}, 8), kWhite);
    EXPECT_EQ(VisibleColorAt(*bench.image, {256 + 32 + 16, 256 + 64 + 16}, 1), kWhite);
}

// The overlay pixels that differ from the untouched view.
int OverlayPixels(ToolBench& bench, int zoom) {
    PixelArray view(40 * zoom, 40 * zoom);
    view.fill(kWhite);
    OverlayCanvas canvas(view, view.bounds(), {0, 0}, zoom);
    bench.host.zoomFactor = zoom;
    bench.view.paint(canvas);
    return CountChanged(view, kWhite);
}

TEST(FreehandTools, OverlaysOutlineTheTipAndPreviewTheLine) {
    ToolBench bench(40, 40);
    bench.use(ToolId::Pencil);
    bench.set(kPencilSizeSetting, 3);
    bench.move(At(10, 10));
    EXPECT_EQ(OverlayPixels(bench, 4), 44); // the ring around a 12 x 12 block
    bench.set(kPencilSizeSetting, 4);
    EXPECT_EQ(OverlayPixels(bench, 4), 56); // a 16 x 16 block with notched corners
    bench.keys({.control = true});
    bench.press(At(10, 10));
    const int tip = OverlayPixels(bench, 4);
    bench.move(At(20, 10));
    // Two outlines and the 41 screen pixels of the line, which meets each
    // outline in one pixel.
    EXPECT_EQ(OverlayPixels(bench, 4), 2 * tip + 41 - 2);
    bench.view.captureEnded();
    bench.view.pointerLeft();
    EXPECT_EQ(OverlayPixels(bench, 4), 0);
}

} // namespace
} // namespace kv
