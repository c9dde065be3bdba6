#include "DialogTestSupport.h"
#include "PanelTestSupport.h"
#include "commands/swatches/SwatchSets.h"
#include "settings/ColorSetting.h"
#include "support/TempXdgHome.h"
#include "tools/framework/ToolSet.h"
#include "tools/framework/ToolSettings.h"
#include "ui/dialogs/ColorDialog.h"
#include "ui/panels/ColorPanel.h"
#include "ui/panels/ColorWell.h"
#include "ui/panels/FoldingPanel.h"
#include "ui/panels/PreviewCanvas.h"
#include "ui/panels/PreviewPanel.h"
#include "ui/panels/StatusBar.h"
#include "ui/panels/SwatchGrid.h"
#include "ui/panels/ToolPanel.h"
#include "ui/panels/Toolbox.h"
#include "ui/view/MainView.h"

#include <QLabel>
#include <QSlider>

namespace kv {
namespace {

using test::PanelTest;

class ToolboxTest : public PanelTest {
  protected:
    Toolbox& toolbox() { return panels().toolbox(); }
    ToolSettings& colors() { return window->view().tools().settings(); }
};

TEST_F(ToolboxTest, ButtonsFollowTheToolboxOrderAndChooseTools) {
    for (const ToolDescriptor& tool : ToolboxOrder())
        EXPECT_EQ(toolbox().toolButton(tool.id)->toolTip(), tool.toolboxName);
    click(toolbox().toolButton(ToolId::Brush));
    ASSERT_TRUE(window->view().tools().current());
    EXPECT_EQ(window->view().tools().current()->id(), ToolId::Brush);
    EXPECT_TRUE(toolbox().toolButton(ToolId::Brush)->isChecked());
    // The tool panel now holds the Brush's controls and its tip picture.
    EXPECT_EQ(column().toolPanel().tool(), window->view().tools().current());
    EXPECT_TRUE(column().toolPanel().tipPreview());
    // The Brush's three sliders need more room than the kept least height.
    ToolPanel& options = column().toolPanel();
    EXPECT_GE(options.height(), options.minimumSizeHint().height());
}

TEST_F(ToolboxTest, TabGoesFromTheToolboxToTheViewToThePanels) {
    // The next widget that takes focus by tab after a widget.
    auto next = [](QWidget* w) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible());
        return w;
    };
    EXPECT_EQ(next(toolbox().swapButton()), &window->view());
    QWidget* after = next(&window->view());
    EXPECT_TRUE(column().isAncestorOf(after)) << after->metaObject()->className();
}

TEST_F(ToolboxTest, SwapAndResetColors) {
    colors().primaryColor.setValue(0xFF112233);
    colors().secondaryColor.setValue(0x80445566);
    toolbox().refreshColors();
    click(toolbox().swapButton());
    EXPECT_EQ(colors().primaryColor.value(), 0x80445566u);
    EXPECT_EQ(colors().secondaryColor.value(), 0xFF112233u);
    EXPECT_EQ(toolbox().primaryWell()->color(), 0x80445566u);
    toolbox().resetColors();
    EXPECT_EQ(colors().primaryColor.value(), colors().primaryColor.defaultValue());
    EXPECT_EQ(toolbox().secondaryWell()->color(), colors().secondaryColor.defaultValue());
}

TEST_F(ToolboxTest, TheToolPanelIsNeverBlank) {
    // No tool is current at start: the panel says where tools come from.
    ASSERT_FALSE(window->view().tools().current());
    ToolPanel& options = column().toolPanel();
    ASSERT_TRUE(options.hint());
    EXPECT_EQ(options.hint()->text(), ToolPanel::kNoToolHint);
    EXPECT_TRUE(options.hint()->isVisible());
    click(toolbox().toolButton(ToolId::Brush));
    EXPECT_FALSE(options.hint());
    // A tool without options says so rather than showing nothing.
    click(toolbox().toolButton(ToolId::Move));
    ASSERT_TRUE(options.hint());
    EXPECT_EQ(options.hint()->text(), ToolPanel::kNoOptionsHint);
    EXPECT_FALSE(options.tipPreview());
}

// The wells and the swatches ask through the program's own colour dialog,
// and only an accepted dialog changes anything.
TEST_F(ToolboxTest, WellsAndSwatchesEditColorsInTheColorDialog) {
    SwatchList::instance().replace({0xFF000001, 0xFF000002});
    window->commandHost().refresh(RefreshScope::Swatches);
    colors().primaryColor.setValue(0xFF112233);
    colors().secondaryColor.setValue(0xFF445566);
    toolbox().refreshColors();
    auto primary = [&] { return colors().primaryColor.value(); };
    auto secondary = [&] { return colors().secondaryColor.value(); };
    auto firstSwatch = [] { return SwatchList::instance().colors()[0]; };
    SwatchGrid* grid = column().colorPanel().swatches();
    struct Case {
        const char* what;
        std::function<void()> open;
        std::function<Color32()> result;
        Color32 before;
        bool accept;
    };
    const Case cases[] = {
        {"primary well", [&] { toolbox().primaryWell()->click(); }, primary, 0xFF112233, true},
        {"secondary well cancelled", [&] { toolbox().secondaryWell()->click(); }, secondary,
         0xFF445566, false},
        {"swatch", [&] { emit grid->editRequested(0); }, firstSwatch, 0xFF000001, true},
    };
    for (const Case& c : cases) {
        Color32 shown = 0;
        test::WhenShown<ColorDialog>([&](ColorDialog& dialog) {
            shown = dialog.color();
            dialog.setColor(MakeColor32(0x33, 0x66, 0x99, 0x80));
            c.accept ? dialog.accept() : dialog.reject();
        });
        c.open();
        QApplication::processEvents();
        EXPECT_EQ(shown, c.before) << c.what; // the dialog starts from the colour
        EXPECT_EQ(c.result(), c.accept ? MakeColor32(0x33, 0x66, 0x99, 0x80) : c.before) << c.what;
    }
    EXPECT_EQ(toolbox().primaryWell()->color(), MakeColor32(0x33, 0x66, 0x99, 0x80));
    EXPECT_EQ(grid->colors(), SwatchList::instance().colors());
}

TEST_F(ToolboxTest, ASliderChangeReachesTheToolAndItsPreview) {
    click(toolbox().toolButton(ToolId::Brush));
    QSlider* size = nullptr;
    for (auto* s : column().toolPanel().findChildren<QSlider*>())
        if (s->accessibleName() == "Size") size = s;
    ASSERT_TRUE(size);
    const QImage before = column().toolPanel().tipPreview()->pixmap().toImage();
    const int wanted = size->value() == 3 ? 9 : 3;
    size->setValue(wanted);
    EXPECT_EQ(Settings().unsignedValue(kBrushSizeSetting), static_cast<unsigned>(wanted));
    const TipPreview tip =
        window->view().tools().current()->renderOptionsPreview(ToolPanel::kPreviewBox);
    EXPECT_EQ(tip.size, wanted);
    EXPECT_NE(column().toolPanel().tipPreview()->pixmap().toImage(), before);
}

TEST_F(ToolboxTest, SwatchClicksPickPrimaryAndSecondary) {
    SwatchList::instance().replace(DefaultSwatchSet());
    window->commandHost().refresh(RefreshScope::Swatches);
    SwatchGrid* grid = column().colorPanel().swatches();
    ASSERT_EQ(grid->colors(), DefaultSwatchSet());
    const QPoint third = grid->cellRect(2).center();
    mouse(grid, QEvent::MouseButtonPress, third, Qt::LeftButton);
    mouse(grid, QEvent::MouseButtonRelease, third, Qt::LeftButton);
    EXPECT_EQ(colors().primaryColor.value(), DefaultSwatchSet()[2]);
    EXPECT_EQ(toolbox().primaryWell()->color(), DefaultSwatchSet()[2]);
    const QPoint fifth = grid->cellRect(4).center();
    mouse(grid, QEvent::MouseButtonPress, fifth, Qt::RightButton);
    mouse(grid, QEvent::MouseButtonRelease, fifth, Qt::RightButton);
    EXPECT_EQ(colors().secondaryColor.value(), DefaultSwatchSet()[4]);
}

TEST_F(ToolboxTest, DraggingASwatchMovesItOrOutsideDeletesIt) {
    SwatchList::instance().replace({0xFF000001, 0xFF000002, 0xFF000003});
    window->commandHost().refresh(RefreshScope::Swatches);
    SwatchGrid* grid = column().colorPanel().swatches();
    const QPoint from = grid->cellRect(0).center();
    mouse(grid, QEvent::MouseButtonPress, from, Qt::LeftButton);
    mouse(grid, QEvent::MouseMove, grid->cellRect(2).center(), Qt::LeftButton);
    mouse(grid, QEvent::MouseButtonRelease, grid->cellRect(2).center(), Qt::LeftButton);
    EXPECT_EQ(SwatchList::instance().colors(),
              (std::vector<Color32>{0xFF000002, 0xFF000003, 0xFF000001}));
    mouse(grid, QEvent::MouseButtonPress, grid->cellRect(0).center(), Qt::LeftButton);
    mouse(grid, QEvent::MouseMove, QPoint(-40, -40), Qt::LeftButton);
    mouse(grid, QEvent::MouseButtonRelease, QPoint(-40, -40), Qt::LeftButton);
    EXPECT_EQ(SwatchList::instance().colors(), (std::vector<Color32>{0xFF000003, 0xFF000001}));
    EXPECT_EQ(grid->colors(), SwatchList::instance().colors());
}

TEST_F(ToolboxTest, ThePaletteShowsOnlyForPaletteTargets) {
    ColorPanel& panel = column().colorPanel();
    current().setTargetFormat(TargetFormat::Palette4);
    current().update();
    window->commandHost().refresh(RefreshScope::Everything);
    EXPECT_FALSE(panel.palette()->isHidden());
    ASSERT_FALSE(panel.palette()->colors().empty());
    const QPoint first = panel.palette()->cellRect(0).center();
    mouse(panel.palette(), QEvent::MouseButtonPress, first, Qt::LeftButton);
    EXPECT_EQ(colors().primaryColor.value(), panel.palette()->colors()[0]);
    const bool locked = current().paletteLocked();
    EXPECT_EQ(panel.lockToggle()->toolTip(), locked ? "Unlock Palette" : "Lock Palette");
    click(panel.lockToggle());
    EXPECT_EQ(current().paletteLocked(), !locked);
    EXPECT_EQ(panel.lockToggle()->toolTip(), locked ? "Lock Palette" : "Unlock Palette");
    EXPECT_EQ(panel.lockToggle()->isChecked(), !locked);
    current().setTargetFormat(TargetFormat::Rgba32);
    window->commandHost().refresh(RefreshScope::Everything);
    EXPECT_TRUE(panel.palette()->isHidden());
}

TEST_F(ToolboxTest, PreviewZoomsAndAClickCentresTheMainView) {
    PreviewPanel& preview = column().previewPanel();
    EXPECT_EQ(preview.zoomLabel()->text(), "100%");
    click(preview.button("Zoom in"));
    EXPECT_EQ(preview.zoomLabel()->text(), "200%");
    click(preview.button("Zoom out"));
    EXPECT_FALSE(preview.button("Zoom out")->isEnabled());
    MainView& view = window->view();
    view.setZoomLevel(8); // large enough to scroll
    QApplication::processEvents();
    const Point before = view.scrollPosition();
    PreviewCanvas* canvas = preview.canvas();
    const QPoint corner =
        canvas->rect().center() - QPoint(current().width() / 2 - 1, current().height() / 2 - 1);
    mouse(canvas, QEvent::MouseButtonPress, corner, Qt::LeftButton);
    const Point after = view.scrollPosition();
    EXPECT_TRUE(after.x != before.x || after.y != before.y);
    EXPECT_LT(after.x, before.x);
}

TEST_F(ToolboxTest, StatusBarShowsWhatTheViewReports) {
    MainView& view = window->view();
    view.setStatusText(StatusField::Position, "3,4");
    view.setStatusText(StatusField::Color, "1,2,3");
    StatusBar& bar = panels().statusBar();
    EXPECT_EQ(bar.fieldText(StatusField::Position), "3,4");
    EXPECT_EQ(bar.fieldText(StatusField::Color), "1,2,3");
    view.setZoomLevel(view.zoomLevel() == 3 ? 4 : 3);
    EXPECT_EQ(bar.zoomText().toStdString(), view.zoomLabel());
    EXPECT_FALSE(bar.memoryText().isEmpty());
}

TEST(PanelFolds, FoldStateAndHeightSurviveARestart) {
    test::App();
    test::TempXdgHome home;
    CreateSettings();
    {
        MainWindow window;
        FoldingPanel* image = window.panels().column().fold("Image");
        ASSERT_TRUE(image);
        EXPECT_FALSE(image->folded());
        image->setFolded(true);
        window.panels().column().fold("Preview")->setBodyHeight(150);
    }
    ASSERT_TRUE(SaveSettings());
    CreateSettings();
    EXPECT_FALSE(Settings().boolValue("Panels.Image.Body.Folded"));
    ASSERT_TRUE(LoadSettings());
    {
        MainWindow window;
        EXPECT_TRUE(window.panels().column().fold("Image")->folded());
        EXPECT_FALSE(window.panels().column().fold("Project")->folded());
        EXPECT_EQ(window.panels().column().fold("Preview")->bodyHeight(), 150);
        EXPECT_EQ(window.panels().column().previewPanel().canvas()->height(), 150);
    }
    DestroySettings();
}

} // namespace
} // namespace kv
