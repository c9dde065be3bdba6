#include "CommandTestSupport.h"

#include "commands/files/RecoveryFile.h"

#include <sys/stat.h>

namespace kv::test {
namespace {

class RecoveryFileTest : public CommandTest {
  protected:
    RecoveryFileTest() { dir.setEnv("XDG_STATE_HOME", dir.file("state")); }
};

TEST_F(RecoveryFileTest, AModifiedProjectIsWrittenAndLoadsBackEqual) {
    EXPECT_EQ(RescueOpenProject(), "") << "no project";
    Project& p = openProject(MakeProject(2));
    p.setName("Icons");
    EXPECT_EQ(RescueOpenProject(), "") << "nothing unsaved";
    p.imageAt(2)->markModified();
    const std::string note = RescueOpenProject();
    const std::vector<std::string> files = TempXdgHome::listFiles(RecoveryFolder());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].rfind("Icons-", 0), 0u);
    EXPECT_EQ(note, "\n\nThe open project was saved to " + RecoveryFolder() + files[0]);
    struct stat info {};
    ASSERT_EQ(::stat(RecoveryFolder().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "the user's work is the user's";
    ProjectFileResult result;
    const auto loaded = ReadProjectFile(RecoveryFolder() + files[0], false, result);
    ASSERT_TRUE(loaded) << result.message;
    ExpectSameProject(p, *loaded);

    // A second rescue in the same second never replaces the first.
    RescueOpenProject();
    EXPECT_EQ(TempXdgHome::listFiles(RecoveryFolder()).size(), 2u);
}

TEST_F(RecoveryFileTest, AFolderThatCannotBeMadeIsSaid) {
    TempXdgHome::writeFile(dir.file("state"), "a file where the folder should be");
    openProject(MakeProject(1)).markModified();
    EXPECT_EQ(RescueOpenProject(),
              "\n\nThe open project could not be saved: Cannot create the folder " +
                  RecoveryFolder());
}

} // namespace
} // namespace kv::test
