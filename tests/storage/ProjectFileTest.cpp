#include "ProjectTestSupport.h"
#include "StreamTestSupport.h"

#include "editing/ActionManager.h"
#include "storage/ProjectFile.h"
#include "storage/ProjectInfo.h"
#include "storage/ProjectPreview.h"
#include "support/CapturingReporter.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace kv::test {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t FilesIn(const TempDir& dir) {
    const std::filesystem::path folder = std::filesystem::path(dir.file("x")).parent_path();
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

class ProjectFiles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InstallActionManagers(); }
    void SetUp() override {
        project.addImage(MakeImage(20, 10, 2, 3));
        project.addImage(MakeImage(8, 8, 1, 4));
    }
    TempDir dir;
    CapturingReporter reporter;
    Project project;
};

TEST_F(ProjectFiles, SaveReplacesTheTargetAndLeavesNoTemporaryFile) {
    const std::string path = dir.file("a.kvp");
    TempXdgHome::writeFile(path, "old contents");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(SaveProject(path, project));
    EXPECT_EQ(FilesIn(dir), 1u);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u) << "the old file's permissions are kept";
    const auto loaded = LoadProject(path);
    ASSERT_TRUE(loaded);
    ExpectSameProject(project, *loaded);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(ProjectFiles, FailedSaveKeepsTheOldFileIntact) {
    const std::string path = dir.file("keep.kvp");
    TempXdgHome::writeFile(path, "precious");
    ProjectWriterOptions options;
    options.compression = 7;
    const ProjectFileResult result = WriteProjectFile(path, project, options);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Unknown compression method");
    EXPECT_EQ(ReadAll(path), "precious");
    EXPECT_EQ(FilesIn(dir), 1u) << "the temporary file is removed";

    // A folder that does not exist cannot take the temporary file either.
    EXPECT_FALSE(SaveProject(dir.file("missing/b.kvp"), project));
    ASSERT_EQ(reporter.messages.size(), 1u);
}

TEST_F(ProjectFiles, FilesThatAreNotProjectsFailToLoadAndPreview) {
    const std::string path = dir.file("bad.kvp");
    TempXdgHome::writeFile(path, "not a chunk file at all");
    EXPECT_FALSE(LoadProject(path));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_FALSE(reporter.messages[0].empty());
    ProjectPreview preview;
    EXPECT_FALSE(ReadProjectPreview(path, true, preview));
    EXPECT_FALSE(ReadProjectPreview(dir.file("none.kvp"), true, preview));

    MemoryChunkFile other;
    other.writer.beginChunk(ChunkTag("SWCH"));
    other.writer.endChunk();
    const auto& bytes = other.finish();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    ProjectFileResult result;
    EXPECT_FALSE(ReadProjectFile(path, false, result));
    EXPECT_EQ(result.message, "Unknown file format");
    EXPECT_FALSE(ReadProjectPreviewMemory(bytes.data(), bytes.size(), true, preview));
}

TEST_F(ProjectFiles, InfoAndConvertCommands) {
    project.firstImage()->bottomLayer()->setName("Sky");
    project.firstImage()->topLayer()->setVisible(false);
    project.firstImage()->update();
    project.setCurrentImage(project.imageAt(2));
    const std::string in = dir.file("in.kvp"), out = dir.file("out.kvp");
    ASSERT_TRUE(WriteProjectFile(in, project, {}).ok);

    std::string text, error;
    EXPECT_EQ(RunInfoCommand(in, text, error), 0);
    EXPECT_EQ(text, ProjectInfoText(project));
    EXPECT_NE(text.find("\"Sky\", visible, opacity 1.000, blend normal, not supersampled"), std::string::npos) << text;

    for (const int compression : {0, 2}) {
        error.clear();
        EXPECT_EQ(RunConvertCommand(in, out, compression, error), 0) << error;
        ProjectFileResult result;
        const auto converted = ReadProjectFile(out, false, result);
        ASSERT_TRUE(converted) << result.message;
        ExpectSameProject(project, *converted);
    }
    EXPECT_LT(std::filesystem::file_size(out), std::filesystem::file_size(in));

    EXPECT_EQ(RunInfoCommand(dir.file("none.kvp"), text, error), 1);
    EXPECT_EQ(error.rfind(dir.file("none.kvp") + ": ", 0), 0u) << "the message names the file";
    error.clear();
    EXPECT_EQ(RunConvertCommand(in, out, 5, error), 1);
    EXPECT_EQ(error, out + ": Unknown compression method");
    EXPECT_TRUE(reporter.messages.empty()) << "the commands print, they show no boxes";
}

} // namespace
} // namespace kv::test
