// The tool set, modes from the modifier keys with their cursors and hints,
// the shared key handling, what every dragging tool does with a lost capture
// or the other button, colour picking and the overlays, driven through the
// view-to-tool bridge.
#include "ToolTestSupport.h"
#include "tools/framework/ToolSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv {
namespace {
using namespace test;

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
        {ToolId::Brush, none, true, true, 8, 1, ToolMode::Paint, CursorRole::SmallTipOdd},
        {ToolId::Pencil, ctrl, true, false, 1, 4, ToolMode::Line, CursorRole::SmallTipEven},
        {ToolId::Pencil, shift, false, false, 1, 1, ToolMode::None, CursorRole::Arrow},
        {ToolId::Eraser, alt, true, false, 5, 1, ToolMode::Paint, CursorRole::SmallTipOdd},
        {ToolId::Eraser, ctrl, true, false, 5, 2, ToolMode::Line, CursorRole::PreciseCross},
        {ToolId::Brush, alt, true, false, 9, 1, ToolMode::Pick, CursorRole::ColorPicking},
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
        bench.view.captureEnded();
        EXPECT_EQ(bench.history().count(), 0);
        EXPECT_EQ(CountChanged(bench.pixels(), kWhite), 1);
        EXPECT_FALSE(bench.image->selection()->active());
        EXPECT_EQ(bench.view.interaction(), ViewInteraction::Idle);
    }
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
    const Color32 shown = image->composite().get(2, 3);
    bench.click(At(2, 3));
    EXPECT_EQ(bench.store.colorValue(kPrimaryColorSetting), shown);
    bench.press(At(0, 0), MouseButton::Right);
    EXPECT_EQ(bench.store.colorValue(kSecondaryColorSetting), MakeColor32(255, 0, 0, 255));
    bench.move(At(2, 3));
    EXPECT_EQ(bench.store.colorValue(kSecondaryColorSetting), shown);
    bench.move(At(9, 9)); // outside: nothing picked
    EXPECT_EQ(bench.store.colorValue(kSecondaryColorSetting), shown);
    EXPECT_EQ(ManagerOf(*image).count(), 0);
}

} // namespace
} // namespace kv
