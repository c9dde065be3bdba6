#include "CommandTestSupport.h"

#include "commands/files/ImportExportCommands.h"
#include "platform/Exceptions.h"

namespace kv::test {
namespace {

class ImportExportCommandsTest : public CommandTest {
  protected:
    ImportExportCommandsTest() {
        formats.importable = {PngType(), IcoType()};
        formats.exportable = {PngType(), IcoType()};
        Settings().textSetting("Import.Path").setValue(dir.home() + "/in/");
        Settings().textSetting("Export.Path").setValue(dir.home() + "/out/");
    }
    // An imported file holding `count` images of distinct sizes.
    void importGives(int count) {
        formats.makeImport = [count] {
            auto p = std::make_unique<Project>();
            for (int i = 0; i < count; ++i)
                p->addImage(MakeImage(16 << i, 16 << i));
            return p;
        };
    }
    ImportExportCommands commands{host, formats};
};

TEST_F(ImportExportCommandsTest, ImportProjectAsksFirstAndRemembersTheFolder) {
    importGives(2);
    openProject(MakeProject(1)).markModified();
    host.answers = {MessageResult::No};
    TempXdgHome::writeFile(dir.file("pics/Logo.ico"), "icon bytes");
    host.files = {choose("pics/Logo.ico")};
    ASSERT_TRUE(commands.importProject());
    const FileDialogRequest& request = host.fileRequests.at(0);
    EXPECT_EQ(request.folder, dir.home() + "/in/");
    EXPECT_EQ(request.filters.at(0).patterns,
              (std::vector<std::string>{"*.png", "*.ico", "*.cur"}));
    EXPECT_EQ(Settings().textValue("Import.Path"), dir.file("pics/"));
    EXPECT_EQ(project()->name(), "Logo");
    EXPECT_EQ(project()->imageCount(), 2);
}

TEST_F(ImportExportCommandsTest, ImportImageAddsTheChosenImageToTheOpenProject) {
    openProject(MakeProject(2));
    importGives(1);
    host.files = {choose("one.png")};
    ASSERT_TRUE(commands.importImage()) << "one image needs no choice (a dialog would cancel)";
    EXPECT_EQ(&image(), project()->imageAt(3));
    EXPECT_EQ(image().id(), 3u) << "an id of the open project";

    importGives(3);
    host.files = {choose("three.ico"), choose("three.ico")};
    host.dialog = [](DialogValues& values) {
        std::get<SelectImageValues>(values).chosen = 2;
        return true;
    };
    ASSERT_TRUE(commands.importImage());
    EXPECT_EQ(image().width(), 32);
    importGives(0);
    host.files = {choose("empty.ico")};
    EXPECT_FALSE(commands.importImage());
    EXPECT_EQ(host.errors, std::vector<std::string>{"The file holds no image"});
}

TEST_F(ImportExportCommandsTest, ExportProjectOffersTheRememberedTypeAndStoresTheChoice) {
    openProject(MakeProject(2)).setName("Icons");
    Settings().unsignedSetting("Export.Format.ID").setValue(IcoType().id);
    Settings().textSetting("Export.Format.Plugin").setValue(IcoType().provider);
    host.files = {choose("set", 0)};
    ASSERT_TRUE(commands.exportProject());
    const FileDialogRequest& request = host.fileRequests.at(0);
    EXPECT_EQ(request.folder, dir.home() + "/out/");
    EXPECT_EQ(request.fileName, "Icons");
    EXPECT_EQ(request.selectedFilter, 1u) << "the remembered type";
    ASSERT_EQ(formats.exported.size(), 1u);
    EXPECT_EQ(formats.exported[0].path, dir.file("set.png"));
    EXPECT_EQ(formats.exported[0].images, 2);
    EXPECT_EQ(Settings().unsignedValue("Export.Format.ID"), PngType().id);
    EXPECT_EQ(Settings().textValue("Export.Path"), dir.home() + "/");
}

TEST_F(ImportExportCommandsTest, ExportFailuresAreReported) {
    openProject(MakeProject(1));
    formats.failureMessage = "File write failed";
    host.files = {choose("x.png")};
    EXPECT_FALSE(commands.exportProject());
    formats.failureMessage.clear();
    formats.thrower = [] { throw std::runtime_error("inside the plug-in"); };
    EXPECT_FALSE(commands.exportImage());
    formats.thrower = nullptr;
    formats.exportable.clear();
    EXPECT_FALSE(commands.exportImage());
    EXPECT_EQ(host.errors, (std::vector<std::string>{"File write failed", "Plugin malfunction",
                                                     "There is no file type to export to"}));
}

} // namespace
} // namespace kv::test
