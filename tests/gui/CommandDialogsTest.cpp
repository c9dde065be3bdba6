#include "DialogTestSupport.h"
#include "GuiTestSupport.h"

#include "commands/host/CommandSupport.h"
#include "commands/image/ImageCommands.h"
#include "commands/image/ImageFactory.h"
#include "commands/image/LayerCommands.h"
#include "editing/ActionTestSupport.h"
#include "model/Project.h"
#include "settings/Settings.h"
#include "ui/ClipboardExchange.h"
#include "ui/QtCommandHost.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/dialogs/ImagePropertiesDialog.h"
#include "ui/dialogs/LayerPropertiesDialog.h"
#include "ui/dialogs/NewImageDialog.h"
#include "ui/dialogs/SelectImageDialog.h"
#include "ui/dialogs/TargetFormatGroup.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace kv::test {
namespace {

constexpr Color32 kRed = 0xFFFF0000;
constexpr Color32 kBlue = 0xFF0000FF;

QAbstractButton* ButtonNamed(QWidget& parent, const QString& text) {
    for (auto* button : parent.findChildren<QAbstractButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

QSpinBox* SpinNamed(QWidget& parent, const QString& name) {
    for (auto* box : parent.findChildren<QSpinBox*>())
        if (box->accessibleName() == name) return box;
    return nullptr;
}

class CommandDialogsTest : public ::testing::Test {
  protected:
    CommandDialogsTest() : host(nullptr, clipboard) {
        CreateSettings();
        auto project = std::make_unique<Project>();
        project->addImage(MakeImage(8, 4, kRed));
        project->setCurrentImage(project->firstImage());
        SetCurrentProject(std::move(project));
        CommitCurrentSnapshots();
    }
    ~CommandDialogsTest() override {
        SetCurrentProject(nullptr);
        DestroySettings();
    }
    Project& project() { return *CurrentProject(); }

    // The application comes before the clipboard exchange that watches it.
    bool appMade = (App(), true);
    ClipboardExchange clipboard;
    QtCommandHost host;
};

TEST_F(CommandDialogsTest, NewImageStartsFromTheRememberedValuesAndOffersTheProjectsImages) {
    Settings().unsignedSetting("Image.Width").setValue(48);
    Settings().unsignedSetting("Image.Height").setValue(48);
    Settings().unsignedSetting("Image.TargetFormat").setValue(0x80001);
    NewImageDialog dialog(NewImageDefaults(false), &project());
    EXPECT_TRUE(ButtonNamed(dialog, "48x48")->isChecked());
    EXPECT_FALSE(SpinNamed(dialog, "Width")->isEnabled());
    const NewImageValues values = dialog.values();
    EXPECT_EQ(values.width, 48);
    EXPECT_EQ(values.height, 48);
    EXPECT_EQ(values.targetFormat, TargetFormat::Palette8);
    EXPECT_EQ(values.borrowFromId, 0u);
    auto* from = dialog.findChild<QComboBox*>();
    ASSERT_NE(from, nullptr);
    EXPECT_EQ(from->count(), 1);
    EXPECT_FALSE(from->isEnabled());
}

TEST_F(CommandDialogsTest, NewProjectDialogHasNoContentsAndACustomSizeComesBack) {
    NewImageValues start = NewImageDefaults(true);
    start.width = 20;
    start.height = 10;
    NewImageDialog dialog(start, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "New project :: new image");
    EXPECT_EQ(ButtonNamed(dialog, "Borrow"), nullptr);
    EXPECT_TRUE(ButtonNamed(dialog, "Custom:")->isChecked());
    EXPECT_EQ(dialog.values().width, 20);
    EXPECT_EQ(dialog.values().height, 10);
    ButtonNamed(dialog, "256x256")->click();
    EXPECT_EQ(dialog.values().width, 256);
    dialog.setClipboardSize(QSize(40, 30));
    ButtonNamed(dialog, "Match clipboard")->click();
    EXPECT_EQ(dialog.values().width, 40);
    EXPECT_EQ(dialog.values().height, 30);
    dialog.setClipboardSize(QSize());
    EXPECT_FALSE(ButtonNamed(dialog, "Match clipboard")->isEnabled());
}

TEST_F(CommandDialogsTest, NewImageRefusesSizesBeyondItsLimitsAndSupersamplingBeyondTheSettings) {
    NewImageValues start = NewImageDefaults(false);
    start.supersamplingLimit = 100000;
    NewImageDialog dialog(start, &project());
    ButtonNamed(dialog, "Custom:")->click();
    QSpinBox* width = SpinNamed(dialog, "Width");
    QSpinBox* height = SpinNamed(dialog, "Height");
    width->setValue(0);
    EXPECT_EQ(width->value(), 1);
    width->setValue(kMaxImageSide + 1);
    EXPECT_EQ(width->value(), kMaxImageSide);
    auto* supersampled = static_cast<QCheckBox*>(ButtonNamed(dialog, "Supersampled"));
    width->setValue(316);
    height->setValue(316);
    EXPECT_TRUE(supersampled->isEnabled());
    supersampled->setChecked(true);
    EXPECT_TRUE(dialog.values().supersampled);
    width->setValue(317); // 100172 pixels
    EXPECT_FALSE(supersampled->isEnabled());
    EXPECT_FALSE(dialog.values().supersampled);
}

TEST_F(CommandDialogsTest, NewImageWithBorrowStartsFromTheChosenImageAndIsRemembered) {
    ImageCommands commands(host);
    WhenShown<NewImageDialog>([](NewImageDialog& dialog) {
        ButtonNamed(dialog, "16x16")->click();
        ButtonNamed(dialog, "Borrow")->click();
        ButtonNamed(dialog, "OK")->click();
    });
    ASSERT_TRUE(commands.newImage());
    ASSERT_EQ(project().imageCount(), 2);
    const Image& added = *project().imageAt(2);
    EXPECT_EQ(&added, project().currentImage());
    EXPECT_EQ(added.width(), 16);
    EXPECT_EQ(added.height(), 16);
    EXPECT_EQ(added.layerAt(1)->pixels().get(8, 8),
              kRed); // what else is borrowed: ImageCommandsTest
    EXPECT_EQ(Settings().unsignedValue("Image.Width"), 16u);

    // The next dialog starts where this one ended.
    WhenShown<NewImageDialog>([](NewImageDialog& dialog) {
        EXPECT_TRUE(ButtonNamed(dialog, "16x16")->isChecked());
        ButtonNamed(dialog, "Cancel")->click();
    });
    EXPECT_FALSE(commands.newImage());
    EXPECT_EQ(project().imageCount(), 2);
}

TEST_F(CommandDialogsTest, KeepRatioMakesTheOtherSideFollowTheFirstSize) {
    EXPECT_EQ(KeptRatioSide(16, 8, 4), 8);
    EXPECT_EQ(KeptRatioSide(3, 8, 4), 2); // 1.5 rounds up
    EXPECT_EQ(KeptRatioSide(1, 8, 4), 1); // never below one pixel
    EXPECT_EQ(KeptRatioSide(kMaxImageSide, 1, 64), kMaxImageSide);

    ImageCommands commands(host);
    WhenShown<ImagePropertiesDialog>([](ImagePropertiesDialog& dialog) {
        EXPECT_TRUE(dialog.keepRatioBox().isChecked());
        EXPECT_EQ(dialog.widthBox().value(), 8);
        dialog.widthBox().setValue(20);
        EXPECT_EQ(dialog.heightBox().value(), 10);
        dialog.heightBox().setValue(2);
        EXPECT_EQ(dialog.widthBox().value(), 4);
        dialog.keepRatioBox().setChecked(false);
        dialog.heightBox().setValue(6);
        EXPECT_EQ(dialog.widthBox().value(), 4);
        dialog.findChild<TargetFormatGroup*>()->setFormat(TargetFormat::Rgb24);
        ButtonNamed(dialog, "Not for export")->click();
        ButtonNamed(dialog, "OK")->click();
    });
    ASSERT_TRUE(commands.properties());
    const Image& image = *project().currentImage();
    EXPECT_EQ(image.width(), 4);
    EXPECT_EQ(image.height(), 6);
    EXPECT_EQ(image.targetFormat(), TargetFormat::Rgb24);
    EXPECT_FALSE(image.forExport());
}

TEST_F(CommandDialogsTest, LayerPropertiesReturnTheFieldsAndKeepAnUntouchedOpacityExact) {
    Image& image = *project().currentImage();
    image.currentLayer()->setOpacity(0.337f);
    image.currentLayer()->setName("Base");
    LayerPropertiesValues start{{"Base", true, 0.337f, false}, true};
    LayerPropertiesDialog dialog(start, image.currentLayer());
    EXPECT_EQ(dialog.nameBox().text(), "Base");
    EXPECT_EQ(dialog.opacityBox().value(), 34);
    EXPECT_FALSE(dialog.sample().pixmap().isNull());
    EXPECT_FLOAT_EQ(dialog.values().values.opacity, 0.337f);
    dialog.opacityBox().setValue(150);
    EXPECT_EQ(dialog.opacityBox().value(), 100);
    dialog.opacityBox().setValue(-5);
    EXPECT_EQ(dialog.opacityBox().value(), 0);
    dialog.opacityBox().setValue(50);
    dialog.nameBox().setText("Shade");
    dialog.visibleBox().setChecked(false);
    const auto values = dialog.values().values;
    EXPECT_EQ(values.name, "Shade");
    EXPECT_FLOAT_EQ(values.opacity, 0.5f);
    EXPECT_FALSE(values.visible);

    LayerPropertiesDialog tooLarge({{"Base", true, 1.0f, false}, false}, nullptr);
    EXPECT_FALSE(tooLarge.supersampledBox().isEnabled());
}

TEST_F(CommandDialogsTest, LayerPropertiesCommandPerformsWhatTheDialogReturns) {
    LayerCommands commands(host);
    WhenShown<LayerPropertiesDialog>([](LayerPropertiesDialog& dialog) {
        dialog.nameBox().setText("Renamed");
        dialog.opacityBox().setValue(25);
        ButtonNamed(dialog, "OK")->click();
    });
    ASSERT_TRUE(commands.properties());
    const LayerBase& layer = *project().currentImage()->currentLayer();
    EXPECT_EQ(layer.name(), "Renamed");
    EXPECT_FLOAT_EQ(layer.opacity(), 0.25f);
}

TEST_F(CommandDialogsTest, SelectImageHandsBackTheChosenPosition) {
    Project imported;
    imported.addImage(ImageOf(4, 4, {0x80FF0000}));
    imported.addImage(ImageOf(6, 3, {kBlue}));
    SelectImageDialog dialog(SelectImageValues{&imported, 2});
    ASSERT_EQ(dialog.list().count(), 2);
    EXPECT_TRUE(dialog.list().item(1)->text().startsWith("6x3"));
    EXPECT_EQ(dialog.values().chosen, 2u);
    dialog.list().setCurrentRow(0);
    EXPECT_EQ(dialog.values().chosen, 1u);
    const QImage plain = dialog.list().item(0)->icon().pixmap(64, 64).toImage();
    dialog.chequeredBox().setChecked(true);
    EXPECT_NE(dialog.list().item(0)->icon().pixmap(64, 64).toImage(), plain);
}

} // namespace
} // namespace kv::test
