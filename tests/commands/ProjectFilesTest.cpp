#include "commands/files/ProjectFiles.h"
#include "editing/history/ActionManager.h"
#include "storage/chunks/ChunkHeader.h"
#include "storage/project/ProjectFile.h"
#include "storage/project/ProjectPreview.h"
#include "support/CapturingReporter.h"
#include "support/StorageTestSupport.h"

#include <gtest/gtest.h>

namespace kv::test {
namespace {

class ProjectFiles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InstallActionManagers(); }
    void SetUp() override {
        project.addImage(MakeImage(20, 10, 2, 3));
        project.addImage(MakeImage(8, 8, 1, 4));
    }
    CapturingReporter reporter;
    TempDir dir;
    Project project;
};

TEST_F(ProjectFiles, FailedSaveKeepsTheOldFileIntact) {
    const std::string path = dir.file("keep.kvp");
    TempXdgHome::writeFile(path, "precious");
    const ProjectFileResult result =
        WriteProjectFile(path, project, {.compression = static_cast<CompressionLevel>(7)});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Unknown compression method");
    EXPECT_EQ(TempXdgHome::readFile(path), "precious");
    EXPECT_EQ(TempXdgHome::listFiles(dir.home()), std::vector<std::string>{"keep.kvp"})
        << "no temporary file";
}

TEST_F(ProjectFiles, FilesThatAreNotProjectsFailToLoadAndPreview) {
    const std::string path = dir.file("bad.kvp");
    TempXdgHome::writeFile(path, "not a chunk file at all");
    EXPECT_FALSE(LoadProject(path));
    EXPECT_EQ(reporter.messages.size(), 1u);
    ProjectPreview preview;
    EXPECT_FALSE(ReadProjectPreview(path, true, preview));

    MemoryChunkFile other;
    other.writer.beginChunk(ChunkTag("SWCH"));
    other.writer.endChunk();
    const auto& bytes = other.finish();
    TempXdgHome::writeFile(path, std::string(bytes.begin(), bytes.end()));
    ProjectFileResult result;
    EXPECT_FALSE(ReadProjectFile(path, false, result));
    EXPECT_EQ(result.message, "Unknown file format");
    EXPECT_FALSE(ReadProjectPreviewMemory(bytes.data(), bytes.size(), true, preview));
}

} // namespace
} // namespace kv::test
