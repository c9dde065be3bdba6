#include "GuiTestSupport.h"

#include "plugins/host/PluginHost.h"
#include "settings/Settings.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/ColorButton.h"
#include "ui/dialogs/ColorDialog.h"
#include "ui/dialogs/ColorPickArea.h"
#include "ui/dialogs/HueBar.h"
#include "ui/dialogs/OptionsDialog.h"
#include "ui/dialogs/PluginsDialog.h"
#include "ui/dialogs/SelectFontDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <QTest>

#include <gtest/gtest.h>

namespace kv::test {
namespace {

template <class W> W* Named(QWidget& parent, const QString& name) {
    for (auto* w : parent.findChildren<W*>())
        if (w->accessibleName() == name) return w;
    return nullptr;
}

QPushButton* ButtonText(QWidget& parent, const QString& text) {
    for (auto* b : parent.findChildren<QPushButton*>())
        if (b->text() == text) return b;
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
    EXPECT_EQ(dialog.alphaBox().value(), 0x78);
    dialog.hexBox().clear();
    QTest::keyClicks(&dialog.hexBox(), "a0b1C2");
    EXPECT_EQ(dialog.color(), MakeColor32(0xA0, 0xB1, 0xC2, 0x78));
    EXPECT_EQ(dialog.field(0).value(), 0xA0);
    EXPECT_EQ(dialog.field(2).value(), 0xC2);
    // Letters outside hexadecimal are refused; five digits change nothing yet.
    dialog.hexBox().clear();
    QTest::keyClicks(&dialog.hexBox(), "FFzFF");
    EXPECT_EQ(dialog.hexBox().text(), "FFFF");
    EXPECT_EQ(dialog.color(), MakeColor32(0xA0, 0xB1, 0xC2, 0x78));
    dialog.field(1).setValue(0);
    EXPECT_EQ(dialog.hexBox().text(), "A000C2");
    dialog.alphaBox().setValue(300);
    EXPECT_EQ(AlphaOf(dialog.color()), 255u);
    EXPECT_EQ(HexText(MakeColor32(1, 2, 3, 0)), "010203");
}

TEST_F(SettingsDialogsTest, ColorDialogShowsHslWhenAskedAndRemembersTheChoice) {
    ColorDialog dialog(MakeColor32(255, 0, 0, 255));
    EXPECT_FALSE(dialog.showsHsl());
    EXPECT_EQ(dialog.field(0).accessibleName(), "R:");
    dialog.showHsl(true);
    EXPECT_EQ(Settings().unsignedValue("ColorEditor.ColorSpace"), 2u);
    EXPECT_EQ(dialog.field(0).accessibleName(), "H:");
    EXPECT_EQ(dialog.field(0).value(), 0);
    EXPECT_EQ(dialog.field(1).value(), 100);
    EXPECT_EQ(dialog.field(2).value(), 50);
    dialog.field(0).setValue(120); // green
    EXPECT_EQ(dialog.color(), MakeColor32(0, 255, 0, 255));
    EXPECT_EQ(dialog.hexBox().text(), "00FF00");
    ColorDialog next(MakeColor32(0, 0, 255, 255));
    EXPECT_TRUE(next.showsHsl());
    EXPECT_EQ(next.field(0).value(), 240);
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
    EXPECT_NEAR(bar.hue(), 1.0 / 3.0, 0.01);
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
    QStringList pages;
    for (int i = 0; i < dialog.pages().count(); ++i)
        pages << dialog.pages().tabText(i);
    EXPECT_EQ(pages,
              QStringList({"Memory", "Project Files", "Supersampling", "Undo", "Viewports"}));

    QSpinBox* maxDepth = Named<QSpinBox>(dialog, "Depth, max:");
    ASSERT_NE(maxDepth, nullptr);
    EXPECT_EQ(maxDepth->value(), 250);
    maxDepth->setValue(5000); // refused beyond the setting's limit
    EXPECT_EQ(maxDepth->value(), 1000);
    QSpinBox* thumbnails = Named<QSpinBox>(dialog, "Thumbnail dimensions, max:");
    thumbnails->setValue(8);
    EXPECT_EQ(thumbnails->value(), 16);
    QSpinBox* kpixels = Named<QSpinBox>(dialog, "Tolerable image size, Kpixels:");
    EXPECT_EQ(kpixels->value(), 100);
    kpixels->setValue(64);
    Named<QSpinBox>(dialog, "Memory limit, MB:")->setValue(999);
    dialog.findChildren<QCheckBox*>().front()->setChecked(true); // Relaxed integrity checks
    Named<ColorButton>(dialog, "Grid color: 2")->setColor(MakeColor32(1, 2, 3, 255));
    // Nothing changes before Apply.
    EXPECT_EQ(s.signedValue("Limits.Undo.MaxDepth"), 250);
    dialog.apply();
    EXPECT_EQ(s.signedValue("Limits.Undo.MaxDepth"), 1000);
    EXPECT_EQ(s.signedValue("Project.File.MaxThumbnailSize"), 16);
    EXPECT_EQ(s.unsignedValue("Limits.Supersampling.MaxPixelCount"), 64000u);
    EXPECT_EQ(s.signedValue("Limits.Undo.MemoryLimit"), 256);
    EXPECT_TRUE(s.boolValue("Project.File.RelaxedChecks"));
    EXPECT_EQ(s.colorValue("UI.Colors.Grid.B"), MakeColor32(1, 2, 3, 255));

    ButtonText(dialog, "Reset to defaults")->click();
    EXPECT_EQ(maxDepth->value(), 100);
    EXPECT_EQ(kpixels->value(), 100);
    EXPECT_EQ(s.signedValue("Limits.Undo.MaxDepth"), 1000); // until applied
    dialog.apply();
    for (const char* name :
         {"Limits.Undo.MaxDepth", "Limits.Undo.MemoryLimit", "Project.File.MaxThumbnailSize",
          "Project.File.RelaxedChecks", "Limits.Supersampling.MaxPixelCount", "UI.Colors.Grid.B"})
        EXPECT_TRUE(s.find(name)->isDefault()) << name;
}

TEST_F(SettingsDialogsTest, OptionsCancelLeavesTheSettingsAlone) {
    SettingsStore& s = Settings();
    OptionsDialog dialog(s);
    Named<QSpinBox>(dialog, "Depth, min:")->setValue(7);
    ButtonText(dialog, "Cancel")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(s.signedValue("Limits.Undo.MinDepth"), 1);
}

TEST_F(SettingsDialogsTest, SmallDialogsShowTheirFields) {
    AboutDialog about;
    bool version = false;
    for (auto* label : about.findChildren<QLabel*>())
        version = version || label->text().startsWith("Version 1.");
    EXPECT_TRUE(version);
    EXPECT_NE(Named<QLabel>(about, "Homepage:"), nullptr);

    PluginHost host; // the program's own provider only: no plug-ins listed
    host.buildTypeLists();
    PluginsDialog plugins(host);
    EXPECT_EQ(plugins.list().count(), 0);
    EXPECT_FALSE(plugins.settingsButton().isEnabled());
    EXPECT_FALSE(plugins.aboutButton().isEnabled());

    SelectFontDialog fonts("no such family");
    if (fonts.list().count() > 0) {
        fonts.list().setCurrentRow(0);
        EXPECT_EQ(fonts.family(), fonts.list().item(0)->text().toStdString());
        EXPECT_EQ(fonts.sample().font().family(), fonts.list().item(0)->text());
    }
}

} // namespace
} // namespace kv::test
