#include "DialogTestSupport.h"
#include "GuiTestSupport.h"

#include "commands/host/FileDialogs.h"
#include "model/Project.h"
#include "settings/Settings.h"
#include "storage/project/ProjectFile.h"
#include "support/CapturingReporter.h"
#include "support/StorageTestSupport.h"
#include "ui/dialogs/FilePreviewPane.h"
#include "ui/dialogs/ProgramFileDialog.h"

#include <QCheckBox>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace kv::test {
namespace {

FileDialogRequest ImportRequest() {
    FileDialogRequest request;
    request.title = "Project import";
    request.filters = ImportFilters(
        {FilterFor("Korvane project", {"kvp"}), FilterFor("Some picture", {"pic", "pict"})});
    request.preview = true;
    return request;
}

class FileDialogsTest : public ::testing::Test {
  protected:
    FileDialogsTest() {
        App();
        CreateSettings();
    }
    ~FileDialogsTest() override { DestroySettings(); }

    std::string writeProject(const std::string& name, std::int32_t width, std::int32_t height) {
        Project project;
        project.addImage(ImageOf(width, height, {0xFF336699}));
        const std::string path = folder.file(name);
        EXPECT_TRUE(WriteProjectFile(path, project, {}).ok);
        return path;
    }

    TempDir folder;
};

TEST_F(FileDialogsTest, FiltersStartWithEverySupportedTypeAndEndWithAllFiles) {
    ProgramFileDialog dialog(ImportRequest(), nullptr);
    EXPECT_EQ(
        dialog.nameFilters(),
        QStringList({"All supported file types (*.kvp *.pic *.pict)", "Korvane project (*.kvp)",
                     "Some picture (*.pic *.pict)", "ALL FILES (*.*)"}));
    EXPECT_NE(dialog.preview(), nullptr);
}

TEST_F(FileDialogsTest, PreviewShowsAProjectsPictureAndDescriptionOrSaysWhyNot) {
    FilePreviewPane pane(nullptr);
    EXPECT_EQ(pane.text(), "No file selected");
    const std::string project = writeProject("small.kvp", 200, 100);
    pane.showFile(QString::fromStdString(project));
    EXPECT_EQ(pane.text(), "Korvane project\n1 image");
    ASSERT_FALSE(pane.picture().isNull());
    EXPECT_EQ(pane.picture().size(), QSize(184, 92));
    EXPECT_EQ(pane.picture().pixel(92, 46), 0xFF336699u);

    const std::string text = folder.file("notes.txt");
    TempDir::writeFile(text, "not a picture");
    pane.showFile(QString::fromStdString(text));
    EXPECT_EQ(pane.text(), "Unknown file format...");
    EXPECT_TRUE(pane.picture().isNull());
}

TEST_F(FileDialogsTest, ChosenFileAndFilterComeBackAndReplacingAsksFirst) {
    const std::string existing = writeProject("old.kvp", 4, 4);
    FileDialogRequest save;
    save.kind = FileDialogKind::Save;
    save.folder = folder.home() + "/";
    save.filters = FiltersWithAllFiles({FilterFor("Korvane project", {"kvp"})});
    CapturingReporter reporter;
    reporter.answer = MessageResult::No;
    int shown = 0;
    // The first answer refuses to replace, so the dialog comes back; the
    // second time a new name is taken without a question.
    std::function<void(ProgramFileDialog&)> second = [&](ProgramFileDialog& dialog) {
        ++shown;
        // selectFile() leaves a focused name field alone, as typing would not.
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText("new.kvp");
        QMetaObject::invokeMethod(&dialog, "accept");
    };
    WhenShown<ProgramFileDialog>([&](ProgramFileDialog& dialog) {
        ++shown;
        dialog.selectFile(QString::fromStdString(existing));
        WhenShown<ProgramFileDialog>(second);
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    ProgramFileDialog dialog(save, nullptr);
    const auto choice = dialog.run();
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(choice->path, folder.file("new.kvp"));
    EXPECT_EQ(choice->filter, 0u);
    ASSERT_EQ(reporter.titles.size(), 1u);
    EXPECT_NE(reporter.messages[0].find("old.kvp"), std::string::npos);
}

// A bare name saved with another type chosen in the list gets that type's
// extension, not the dialog's first one; "all files" falls back to it.
TEST(SaveTypeSuffix, FollowsTheChosenType) {
    App();
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.defaultExtension = "kvcolors";
    request.filters = FiltersWithAllFiles({FilterFor("Korvane swatch set", {"kvcolors"}),
                                           FilterFor("GIMP palette", {"gpl"}),
                                           FilterFor("JASC palette", {"pal"})});
    request.selectedFilter = 1;
    ProgramFileDialog dialog(request, nullptr);
    EXPECT_EQ(dialog.defaultSuffix(), "gpl");

    const struct {
        int filter;
        const char* suffix;
    } cases[] = {{2, "pal"}, {0, "kvcolors"}, {3, "kvcolors"}, {1, "gpl"}};
    for (const auto& c : cases) {
        const QString name = dialog.nameFilters().at(c.filter);
        dialog.selectNameFilter(name);
        emit dialog.filterSelected(name);
        EXPECT_EQ(dialog.defaultSuffix(), c.suffix) << name.toStdString();
    }
}

} // namespace
} // namespace kv::test
