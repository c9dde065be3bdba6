#include "platform/PosixFile.h"
#include "support/StorageTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kv {
namespace {

// Only regular files are read: a named pipe would stall the open (and the
// whole program) until a writer came, a device might never end.
TEST(PosixFile, ReadsOnlyRegularFiles) {
    test::TempDir dir;
    const std::string pipe = dir.file("pipe.kvp");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    struct Case {
        std::string path;
        PosixFile::OpenResult expected;
    } cases[] = {
        {pipe, PosixFile::OpenResult::Failed},
        {dir.home(), PosixFile::OpenResult::Failed},
        {dir.file("missing.kvp"), PosixFile::OpenResult::NotFound},
    };
    for (const Case& c : cases) {
        PosixFile file;
        EXPECT_EQ(file.openForReading(c.path), c.expected) << c.path;
        EXPECT_FALSE(file.isOpen()) << c.path;
    }

    // A regular file reads normally: the non-blocking open is undone.
    const std::string plain = dir.file("plain.kvp");
    PosixFile writer;
    ASSERT_EQ(writer.openForWriting(plain), PosixFile::OpenResult::Ok);
    ASSERT_EQ(writer.write("abc", 3), 3u);
    writer.close();
    PosixFile reader;
    ASSERT_EQ(reader.openForReading(plain), PosixFile::OpenResult::Ok);
    char buffer[8] = {};
    EXPECT_EQ(reader.read(buffer, sizeof buffer), 3);
    EXPECT_EQ(std::string(buffer), "abc");
}

} // namespace
} // namespace kv
