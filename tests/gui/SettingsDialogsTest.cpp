#include "GuiTestSupport.h"

#include "settings/Settings.h"
#include "ui/dialogs/ColorButton.h"
#include "ui/dialogs/ColorDialog.h"
#include "ui/dialogs/ColorPickArea.h"
#include "ui/dialogs/HueBar.h"
#include "ui/dialogs/OptionsDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace kv::test {
namespace {

template <class W> W* Named(QWidget& parent, const QString& name) {
    for (auto* w : parent.findChildren<W*>())
        if (w->accessibleName() == name) return w;
    return nullptr;
}

class SettingsDialogsTest : public ::testing::Test {
  protected:
    SettingsDialogsTest() {
        App();
        CreateSettings();
    }
    ~SettingsDialogsTest() override { DestroySettings(); }
};

TEST_F(SettingsDialogsTest, ColorDialogHexFieldRoundTripsAndFollowsTheOtherFields) {
    ColorDialog dialog(MakeColor32(0x12, 0x34, 0x56, 0x78));
    EXPECT_EQ(dialog.hexBox().text(), "123456");
    dialog.hexBox().clear();
    QTest::keyClicks(&dialog.hexBox(), "a0b1C2");
    EXPECT_EQ(dialog.color(), MakeColor32(0xA0, 0xB1, 0xC2, 0x78));
    EXPECT_EQ(dialog.field(2).value(), 0xC2);
    // Letters outside hexadecimal are refused; five digits change nothing yet.
    dialog.hexBox().clear();
    QTest::keyClicks(&dialog.hexBox(), "FFzFF");
    EXPECT_EQ(dialog.hexBox().text(), "FFFF");
    EXPECT_EQ(dialog.color(), MakeColor32(0xA0, 0xB1, 0xC2, 0x78));
    dialog.field(1).setValue(0);
    EXPECT_EQ(dialog.hexBox().text(), "A000C2");
}

TEST_F(SettingsDialogsTest, ColorDialogPickingAreaAndHueBarWorkInHsv) {
    ColorDialog dialog(MakeColor32(0, 0, 0, 255));
    dialog.resize(600, 400);
    dialog.show();
    ColorPickArea& area = dialog.pickArea();
    QTest::mouseClick(&area, Qt::LeftButton, {}, QPoint(area.width() - 1, 0));
    EXPECT_EQ(dialog.color(), MakeColor32(255, 0, 0, 255)); // hue 0, full S and V
    HueBar& bar = dialog.hueBar();
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.width() / 2, (bar.height() - 1) / 3));
    EXPECT_EQ(GreenOf(dialog.color()), 255u);
    EXPECT_LT(RedOf(dialog.color()), 8u);
    QTest::mouseClick(&area, Qt::LeftButton, {}, QPoint(0, area.height() - 1));
    EXPECT_EQ(dialog.color() & 0xFFFFFFu, 0u); // no value is black
    dialog.hide();
}

TEST_F(SettingsDialogsTest, OptionsEditPendingValuesApplyThemAndResetToDefaults) {
    SettingsStore& s = Settings();
    s.signedSetting("Limits.Undo.MaxDepth").setValue(250);
    OptionsDialog dialog(s);
    QSpinBox* maxDepth = Named<QSpinBox>(dialog, "Depth, max:");
    ASSERT_NE(maxDepth, nullptr);
    EXPECT_EQ(maxDepth->value(), 250);
    maxDepth->setValue(5000); // refused beyond the setting's limit
    Named<QSpinBox>(dialog, "Tolerable image size, Kpixels:")->setValue(64);
    dialog.findChildren<QCheckBox*>().front()->setChecked(true); // Relaxed integrity checks
    Named<ColorButton>(dialog, "Grid color: 2")->setColor(MakeColor32(1, 2, 3, 255));
    // Nothing changes before Apply.
    EXPECT_EQ(s.signedValue("Limits.Undo.MaxDepth"), 250);
    dialog.apply();
    EXPECT_EQ(s.signedValue("Limits.Undo.MaxDepth"), 1000);
    EXPECT_EQ(s.unsignedValue("Limits.Supersampling.MaxPixelCount"), 64000u);
    EXPECT_TRUE(s.boolValue("Project.File.RelaxedChecks"));
    EXPECT_EQ(s.colorValue("UI.Colors.Grid.B"), MakeColor32(1, 2, 3, 255));

    for (auto* b : dialog.findChildren<QPushButton*>())
        if (b->text() == "Reset to defaults") b->click();
    EXPECT_EQ(s.signedValue("Limits.Undo.MaxDepth"), 1000); // until applied
    dialog.apply();
    for (const char* name : {"Limits.Undo.MaxDepth", "Project.File.RelaxedChecks",
                             "Limits.Supersampling.MaxPixelCount", "UI.Colors.Grid.B"})
        EXPECT_TRUE(s.find(name)->isDefault()) << name;
}

} // namespace
} // namespace kv::test
