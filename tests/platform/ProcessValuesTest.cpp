#include "platform/ProcessValues.h"
#include "platform/Exceptions.h"
#include "platform/Memory.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(ProcessValues, FoldersEndInOneSlash) {
    EXPECT_EQ(AppendSlash(""), "");
    EXPECT_EQ(AppendSlash("/usr/bin/"), "/usr/bin/");
    EXPECT_EQ(FolderOf("/opt/korvane/bin/korvane"), "/opt/korvane/bin/");
    std::string path;
    ASSERT_TRUE(ReadExecutablePath(path));
    EXPECT_NE(path.find("/test_platform"), std::string::npos);
}

TEST(Memory, ExhaustionIsReportedWithTheRequestedSize) {
    test::CapturingReporter reporter;
    EXPECT_EQ(MemAlloc(SIZE_MAX), nullptr);
    ASSERT_EQ(reporter.criticals.size(), 1u);
    EXPECT_NE(reporter.criticals[0].find(std::to_string(SIZE_MAX)), std::string::npos);
    EXPECT_THROW(MemAllocOrThrow(SIZE_MAX), CKVException);
}

} // namespace
} // namespace kv
