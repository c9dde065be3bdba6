#include "platform/ProcessValues.h"
#include "platform/Exceptions.h"
#include "platform/Memory.h"
#include "support/CapturingReporter.h"
#include "support/FailingAllocations.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>

namespace kv {
namespace {

TEST(FormatVersion, ShowsBuildAndRevisionOnlyWhenNeeded) {
    EXPECT_EQ(FormatVersion(PackVersion(1, 2, 0, 0)), "1.2");
    EXPECT_EQ(FormatVersion(PackVersion(1, 2, 0, 5)), "1.2.0.5");
    EXPECT_EQ(FormatVersion(PackVersion(1, 2, 3, 0)), "1.2.3");
    EXPECT_EQ(FormatVersion(PackVersion(255, 255, 255, 255)), "255.255.255.255");
}

TEST(ProcessValues, FoldersEndInOneSlash) {
    EXPECT_EQ(AppendSlash(""), "");
    EXPECT_EQ(AppendSlash("/usr/bin"), "/usr/bin/");
    EXPECT_EQ(AppendSlash("/usr/bin/"), "/usr/bin/");
    EXPECT_EQ(FolderOf("/opt/korvane/bin/korvane"), "/opt/korvane/bin/");
    std::string path;
    ASSERT_TRUE(ReadExecutablePath(path));
    EXPECT_EQ(path.front(), '/');
    EXPECT_NE(path.find("test_platform"), std::string::npos);
}

TEST(Memory, ExhaustionIsReportedWithTheRequestedSize) {
    test::CapturingReporter reporter;
    EXPECT_EQ(MemAlloc(SIZE_MAX), nullptr);
    ASSERT_EQ(reporter.criticals.size(), 1u);
    EXPECT_EQ(reporter.criticals[0], "Cannot allocate memory (requested block size: " +
                                         std::to_string(SIZE_MAX) + " bytes)");
    try {
        MemAllocOrThrow(SIZE_MAX);
        FAIL() << "no exception";
    } catch (const CKVException& e) {
        EXPECT_EQ(e.message(), "Insufficient memory");
    }
}

// Makes an allocation observable, so that the compiler cannot leave it out.
void* volatile g_sink = nullptr;
template <class T> T* Kept(T* block) {
    g_sink = block;
    return block;
}

// The helper the heap-exhaustion tests use: each allocation counts once,
// whichever form of operator new it goes through.
TEST(FailingAllocations, CountsEveryFormOnceAndStopsWithItsScope) {
    std::unique_ptr<int[]> array, after;
    std::unique_ptr<int> single, refused;
    bool threw = false;
    long failures = 0;
    {
        test::FailingAllocations failing(2, 2);
        array.reset(Kept(new int[4]));
        single.reset(Kept(new (std::nothrow) int(1)));
        refused.reset(Kept(new (std::nothrow) int(2)));
        try {
            Kept(new int[4]);
        } catch (const std::bad_alloc&) {
            threw = true;
        }
        after.reset(Kept(new int[4])); // the two failures are spent
        failures = failing.failures();
    }
    EXPECT_NE(array, nullptr);
    EXPECT_NE(single, nullptr);
    EXPECT_EQ(refused, nullptr);
    EXPECT_TRUE(threw);
    EXPECT_NE(after, nullptr);
    EXPECT_EQ(failures, 2);
    EXPECT_NE(std::unique_ptr<int>(Kept(new int(3))), nullptr) << "none outside the scope";
}

} // namespace
} // namespace kv
