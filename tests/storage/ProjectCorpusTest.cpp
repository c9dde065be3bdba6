#include "ProjectTestSupport.h"

#include "editing/ActionManager.h"
#include "storage/ProjectPreview.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kv::test {
namespace {

// Damaged inputs bred by fuzzing the reader, the well-formed files they grew
// from, and any input that ever breaks the reader: each must load or fail
// with a message, strictly and relaxed, and give the preview reader an answer.
TEST(ProjectCorpus, EveryInputEndsInAProjectOrAMessage) {
    InstallActionManagers();
    CapturingReporter reporter;
    const std::filesystem::path folder = std::filesystem::path(__FILE__).parent_path() / "corpus";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        for (const bool relaxed : {false, true}) {
            std::string error;
            if (!LoadFromMemory(bytes, relaxed, &error)) {
                EXPECT_FALSE(error.empty()) << entry.path();
            }
        }
        ProjectPreview preview;
        if (ReadProjectPreviewMemory(bytes.data(), bytes.size(), true, preview) && preview.hasPicture) {
            EXPECT_GT(preview.picture.width(), 0) << entry.path();
        }
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}

} // namespace
} // namespace kv::test
