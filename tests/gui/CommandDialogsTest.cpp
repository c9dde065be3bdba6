#include "DialogTestSupport.h"
#include "GuiTestSupport.h"

#include "commands/host/CommandSupport.h"
#include "commands/image/ImageCommands.h"
#include "commands/image/ImageFactory.h"
#include "editing/ActionTestSupport.h"
#include "model/Project.h"
#include "settings/Settings.h"
#include "ui/ClipboardExchange.h"
#include "ui/QtCommandHost.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/dialogs/ImagePropertiesDialog.h"
#include "ui/dialogs/LayerPropertiesDialog.h"
#include "ui/dialogs/NewImageDialog.h"
#include "ui/dialogs/TargetFormatGroup.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace kv::test {
namespace {

constexpr Color32 kRed = 0xFFFF0000;

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

TEST_F(CommandDialogsTest, NewImageRefusesSizesBeyondItsLimitsAndSupersamplingBeyondTheSettings) {
    NewImageValues start = NewImageDefaults(false);
    start.supersamplingLimit = 100000;
    NewImageDialog dialog(start, &project());
    ButtonNamed(dialog, "Custom:")->click();
    QSpinBox* width = SpinNamed(dialog, "Width");
    QSpinBox* height = SpinNamed(dialog, "Height");
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
    EXPECT_EQ(added.height(), 16);
    EXPECT_EQ(added.layerAt(1)->pixels().get(8, 8), kRed); // the rest: ImageCommandsTest

    // The next dialog starts where this one ended.
    WhenShown<NewImageDialog>([](NewImageDialog& dialog) {
        EXPECT_TRUE(ButtonNamed(dialog, "16x16")->isChecked());
        ButtonNamed(dialog, "Cancel")->click();
    });
    EXPECT_FALSE(commands.newImage());
    EXPECT_EQ(project().imageCount(), 2);
}

TEST_F(CommandDialogsTest, KeepRatioMakesTheOtherSideFollowTheFirstSize) {
    EXPECT_EQ(KeptRatioSide(3, 8, 4), 2); // 1.5 rounds up
    EXPECT_EQ(KeptRatioSide(1, 8, 4), 1); // never below one pixel

    ImageCommands commands(host);
    WhenShown<ImagePropertiesDialog>([](ImagePropertiesDialog& dialog) {
        dialog.widthBox().setValue(20);
        EXPECT_EQ(dialog.heightBox().value(), 10);
        dialog.heightBox().setValue(2);
        EXPECT_EQ(dialog.widthBox().value(), 4);
        dialog.keepRatioBox().setChecked(false);
        dialog.heightBox().setValue(6);
        EXPECT_EQ(dialog.widthBox().value(), 4);
        dialog.findChild<TargetFormatGroup*>()->setFormat(TargetFormat::Rgb24);
        ButtonNamed(dialog, "OK")->click();
    });
    ASSERT_TRUE(commands.properties());
    const Image& image = *project().currentImage();
    EXPECT_EQ(image.width(), 4);
    EXPECT_EQ(image.height(), 6);
    EXPECT_EQ(image.targetFormat(), TargetFormat::Rgb24);
}

TEST_F(CommandDialogsTest, LayerPropertiesReturnTheFieldsAndKeepAnUntouchedOpacityExact) {
    Image& image = *project().currentImage();
    image.currentLayer()->setOpacity(0.337f);
    image.currentLayer()->setName("Base");
    LayerPropertiesValues start{{"Base", true, 0.337f, false}, true};
    LayerPropertiesDialog dialog(start, image.currentLayer());
    EXPECT_EQ(dialog.opacityBox().value(), 34);
    EXPECT_FLOAT_EQ(dialog.values().values.opacity, 0.337f);
    dialog.opacityBox().setValue(50);
    dialog.nameBox().setText("Shade");
    dialog.visibleBox().setChecked(false);
    const auto values = dialog.values().values;
    EXPECT_EQ(values.name, "Shade");
    EXPECT_FLOAT_EQ(values.opacity, 0.5f);
    EXPECT_FALSE(values.visible);
}

} // namespace
} // namespace kv::test
