#include "GuiTestSupport.h"

#include "app/Startup.h"
#include "commands/files/RecoveryFile.h"
#include "editing/history/ActionManager.h"
#include "model/Project.h"
#include "platform/Exceptions.h"
#include "settings/Settings.h"
#include "support/CapturingReporter.h"
#include "support/StorageTestSupport.h"

#include <gtest/gtest.h>

namespace kv::test {
namespace {

class FatalErrorRecovery : public ::testing::Test {
  protected:
    FatalErrorRecovery() {
        home.setEnv("XDG_STATE_HOME", home.file("state"));
        InstallActionManagers();
        CreateSettings();
        InstallFatalErrorRescue(App());
    }
    ~FatalErrorRecovery() override {
        App().setRescueHook(nullptr);
        SetCurrentProject(nullptr);
        DestroySettings();
    }
    TempDir home;
    CapturingReporter reporter;
    ExitRecorder exits;
    Thrower thrower;
};

TEST_F(FatalErrorRecovery, AnErrorInAnEventSavesTheModifiedProjectBeforeTheEnd) {
    auto project = std::make_unique<Project>();
    project->addImage(MakeImage(12, 9, 2, 5));
    project->addImage(MakeImage(5, 7, 1, 6));
    project->setName("Icons");
    project->markSaved();
    project->imageAt(2)->markModified(); // an edit since the last save
    SetCurrentProject(std::move(project));

    thrower.action = [] { throw CKVException("Insufficient memory"); };
    EXPECT_FALSE(thrower.fire());
    EXPECT_EQ(exits.codes, std::vector<int>{-1});
    const std::vector<std::string> files = TempXdgHome::listFiles(RecoveryFolder());
    ASSERT_EQ(files.size(), 1u);
    const std::string path = home.file("state/korvane/recovery/") + files[0];
    ASSERT_EQ(reporter.criticals.size(), 1u);
    EXPECT_EQ(reporter.criticals[0],
              "Insufficient memory\n\nThe open project was saved to " + path);
    // What the file holds, and when nothing is written, is RecoveryFileTest's.
}

} // namespace
} // namespace kv::test
