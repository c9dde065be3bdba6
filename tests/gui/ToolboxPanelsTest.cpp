#include "DialogTestSupport.h"
#include "PanelTestSupport.h"
#include "commands/swatches/SwatchSets.h"
#include "settings/ColorSetting.h"
#include "tools/framework/ToolSet.h"
#include "tools/framework/ToolSettings.h"
#include "ui/dialogs/ColorDialog.h"
#include "ui/panels/ColorPanel.h"
#include "ui/panels/ColorWell.h"
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
    EXPECT_EQ(column().toolPanel().tool(), window->view().tools().current());
}

// The wells and the swatches ask through the program's own colour dialog,
// and only an accepted dialog changes anything.
TEST_F(ToolboxTest, WellsAndSwatchesEditColorsInTheColorDialog) {
    SwatchList::instance().replace({0xFF000001, 0xFF000002});
    window->commandHost().refresh(RefreshScope::Swatches);
    colors().primaryColor.setValue(0xFF112233);
    colors().secondaryColor.setValue(0xFF445566);
    toolbox().refreshColors();
    SwatchGrid* grid = column().colorPanel().swatches();
    const struct {
        const char* what;
        std::function<void()> open;
        std::function<Color32()> result;
        Color32 before;
        bool accept;
    } cases[] = {
        {"primary", [&] { toolbox().primaryWell()->click(); },
         [&] { return colors().primaryColor.value(); }, 0xFF112233, true},
        {"secondary cancelled", [&] { toolbox().secondaryWell()->click(); },
         [&] { return colors().secondaryColor.value(); }, 0xFF445566, false},
        {"swatch", [&] { emit grid->editRequested(0); },
         [] { return SwatchList::instance().colors()[0]; }, 0xFF000001, true},
    };
    for (const auto& c : cases) {
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
    EXPECT_EQ(grid->colors(), (std::vector<Color32>{0xFF000003, 0xFF000001}));
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
    current().setTargetFormat(TargetFormat::Rgba32);
    window->commandHost().refresh(RefreshScope::Everything);
    EXPECT_TRUE(panel.palette()->isHidden());
}

} // namespace
} // namespace kv
