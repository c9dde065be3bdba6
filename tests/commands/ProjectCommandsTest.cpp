#include "CommandTestSupport.h"

#include "commands/files/ProjectCommands.h"
#include "commands/files/ProjectOpening.h"
#include "commands/formats/BuiltInFormats.h"
#include "platform/Exceptions.h"
#include "platform/WholeFiles.h"

#include <filesystem>

namespace kv::test {
namespace {

class ProjectCommandsTest : public CommandTest {
  protected:
    ProjectCommands commands{host, formats};

    // A modified project with a path it can be saved to.
    Project& openModified(const std::string& path) {
        Project& p = openProject(MakeProject(2));
        p.setName("Icons");
        p.setPath(path);
        p.markModified();
        return p;
    }

    std::unique_ptr<Project> load(const std::string& path) {
        ProjectFileResult result;
        auto loaded = ReadProjectFile(path, false, result);
        EXPECT_TRUE(loaded) << result.message;
        return loaded;
    }
};

TEST_F(ProjectCommandsTest, SaveChangesQuestionByModeAnswerAndState) {
    const MessageResult kNoAnswer = MessageResult::None;
    struct Case {
        int mode;
        bool modified;
        MessageResult answer;
        bool result, asked, saved;
    } cases[] = {
        {0, true, kNoAnswer, true, false, false},
        {1, true, kNoAnswer, true, false, true},
        {1, false, kNoAnswer, true, false, false},
        {2, true, kNoAnswer, true, false, false},
        {3, false, kNoAnswer, true, false, false},
        {3, true, MessageResult::Yes, true, true, true},
        {3, true, MessageResult::No, true, true, false},
        {3, true, MessageResult::Cancel, false, true, false},
        // Another box was open, so none was shown: as good as closing it.
        {3, true, MessageResult::None, false, true, false},
        {7, true, kNoAnswer, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + (c.modified ? " modified" : ""));
        const std::string path = dir.file("q" + std::to_string(&c - cases) + ".kvp");
        Project& p = openModified(path);
        if (!c.modified) p.markSaved();
        host.asked.clear();
        host.answers = {c.answer == kNoAnswer ? MessageResult::Yes : c.answer};
        if (c.answer == MessageResult::None) host.answers = {MessageResult::None};
        EXPECT_EQ(AskToSaveChanges(host, static_cast<SaveChangesMode>(c.mode)), c.result);
        EXPECT_EQ(host.asked, std::vector<MessageButtons>(c.asked, MessageButtons::YesNoCancel));
        EXPECT_EQ(FileExists(path), c.saved);
        EXPECT_EQ(p.hasUnsavedChanges(), c.modified && !c.saved);
    }
    SetCurrentProject(nullptr);
    EXPECT_FALSE(AskToSaveChanges(host, SaveChangesMode::Continue)) << "no project";
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(ProjectCommandsTest, AFailedSaveStopsTheQuestionAndKeepsTheProject) {
    openModified(dir.file("missing/folder/a.kvp"));
    for (SaveChangesMode mode : {SaveChangesMode::Save, SaveChangesMode::Ask}) {
        host.answers = {MessageResult::Yes};
        EXPECT_FALSE(AskToSaveChanges(host, mode));
    }
    EXPECT_EQ(host.errors.size(), 2u);
    EXPECT_FALSE(commands.close());
    EXPECT_TRUE(project()->hasUnsavedChanges());
}

TEST_F(ProjectCommandsTest, SavingANeverSavedProjectAsksForTheFile) {
    Project& p = openProject(MakeProject(2));
    p.markModified();
    Settings().textSetting("Project.File.Path").setValue(dir.home() + "/");
    host.files = {choose("icons")};
    ASSERT_TRUE(commands.save());
    EXPECT_EQ(host.fileRequests.at(0).folder, dir.home() + "/");
    EXPECT_EQ(p.name(), "icons");
    EXPECT_EQ(p.path(), dir.file("icons.kvp"));
    EXPECT_FALSE(p.hasUnsavedChanges());
    ExpectSameProject(p, *load(p.path()));

    // With a path, Save writes there without a dialog.
    p.imageAt(1)->markModified();
    ASSERT_TRUE(commands.save());
    EXPECT_EQ(host.fileRequests.size(), 1u);
    EXPECT_FALSE(p.hasUnsavedChanges());
}

TEST_F(ProjectCommandsTest, OpenAsksFirstAndOpensTheChosenProject) {
    const std::string path = writeProjectFile("Cursors.kvp", *MakeProject(3, 5, 4));
    openModified(dir.file("old.kvp"));
    host.answers = {MessageResult::Cancel};
    EXPECT_FALSE(commands.open());
    EXPECT_TRUE(host.fileRequests.empty()) << "cancelling the question stops";

    host.answers = {MessageResult::No};
    host.files = {FileChoice{path, 0}};
    ASSERT_TRUE(commands.open());
    EXPECT_EQ(project()->name(), "Cursors");
    EXPECT_EQ(project()->imageCount(), 3);
    EXPECT_FALSE(FileExists(dir.file("old.kvp"))) << "No discarded the old project";
    EXPECT_TRUE(LayerSnapshot::instance().matches(*image().currentLayer()));
}

TEST_F(ProjectCommandsTest, OpenRefusesFilesThatAreNotProjects) {
    formats.importable = {PngType()};
    const std::string png = dir.file("face.png"), text = dir.file("notes.txt");
    TempXdgHome::writeFile(png, "png bytes");
    TempXdgHome::writeFile(text, "text");
    openProject(MakeProject(1));
    host.files = {FileChoice{png, 0}, FileChoice{text, 0}};
    EXPECT_FALSE(commands.open());
    EXPECT_FALSE(commands.open());
    EXPECT_EQ(host.errors.at(1), text + " is not a valid Korvane project file");
    EXPECT_TRUE(formats.imported.empty()) << "no import fallback from the Open command";
}

TEST_F(ProjectCommandsTest, NewProjectFromTheDialogsValues) {
    Settings().unsignedSetting("Image.Width").setValue(48);
    host.dialog = [](DialogValues& values) {
        auto& v = std::get<NewImageValues>(values);
        EXPECT_EQ(v.width, 48);
        v.width = 16;
        v.height = 24;
        v.targetFormat = TargetFormat::Palette8;
        v.supersampled = true;
        v.notForExport = true;
        return true;
    };
    ASSERT_TRUE(commands.newProject());
    const Image& made = image();
    EXPECT_EQ(made.height(), 24);
    EXPECT_EQ(made.targetFormat(), TargetFormat::Palette8);
    EXPECT_FALSE(made.forExport());
    EXPECT_TRUE(made.selection()->supersampled());
    EXPECT_EQ(Settings().unsignedValue("Image.TargetFormat"), 0x80001u);
}

// The file named on the command line, through the program's own formats.
TEST_F(ProjectCommandsTest, StartupOpensAProjectAndReportsMissingAndUnknownFiles) {
    BuiltInFormats builtIn;
    const std::string path = writeProjectFile("Set One.kvp", *MakeProject(2));
    ASSERT_TRUE(OpenStartupFile(host, builtIn, path, false));
    EXPECT_EQ(project()->path(), path);

    const std::string missing = dir.file("gone.kvp"), unknown = dir.file("readme.txt");
    TempXdgHome::writeFile(unknown, "plain text");
    EXPECT_FALSE(OpenStartupFile(host, builtIn, missing, false));
    EXPECT_NE(project(), nullptr) << "nothing was closed for a file that is not there";
    EXPECT_FALSE(OpenStartupFile(host, builtIn, unknown, false));
    EXPECT_EQ(host.errors.size(), 2u);
}

TEST_F(ProjectCommandsTest, StartupImportsImageFilesThroughTheFormatLibrary) {
    formats.importable = {PngType()};
    formats.makeImport = [] { return MakeProject(1, 3, 3); };
    const std::string png = dir.file("smile.png");
    TempXdgHome::writeFile(png, "png bytes");
    // Without a switch a readable image is imported instead of opened.
    ASSERT_TRUE(OpenStartupFile(host, formats, png, false));
    EXPECT_EQ(project()->name(), "smile");
    EXPECT_TRUE(project()->path().empty()) << "saving asks where";

    formats.makeImport = nullptr;
    formats.failureMessage = "Unknown file type";
    EXPECT_FALSE(OpenStartupFile(host, formats, png, true));
    EXPECT_EQ(host.errors, std::vector<std::string>{"Unknown file type"});
    EXPECT_NE(project(), nullptr) << "a failed import keeps the open project";
}

TEST_F(ProjectCommandsTest, AProviderThatThrowsIsAMalfunctionNotACrash) {
    formats.importable = {PngType()};
    const std::string png = dir.file("smile.png");
    TempXdgHome::writeFile(png, "png bytes");
    formats.thrower = [] { throw 42; };
    EXPECT_FALSE(OpenStartupFile(host, formats, png, true));
    formats.thrower = [] { throw CKVException("Insufficient memory"); };
    EXPECT_FALSE(OpenStartupFile(host, formats, png, false));
    formats.thrower = [] { throw CKVAbortRequest(); };
    EXPECT_FALSE(OpenStartupFile(host, formats, png, true));
    EXPECT_EQ(host.errors, (std::vector<std::string>{"Plugin malfunction", "Insufficient memory"}));
    EXPECT_EQ(host.waitDepth, 0);
}

} // namespace
} // namespace kv::test
