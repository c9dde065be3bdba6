#include "StreamTestSupport.h"

#include "storage/QzHandle.h"
#include "storage/QzInterface.h"
#include "storage/QzStream.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kv::test {
namespace {

void WriteFile(const std::string& path, const Bytes& data, std::size_t piece) {
    QzHandle* h = QzOpenForWriting(path);
    ASSERT_NE(h, nullptr);
    for (std::size_t at = 0; at < data.size(); at += piece) {
        const std::size_t n = std::min(piece, data.size() - at);
        std::size_t put = 0;
        ASSERT_EQ(QzWrite(h, data.data() + at, n, &put), QzError::None);
        ASSERT_EQ(put, n);
    }
    EXPECT_EQ(QzSize(h), static_cast<std::int64_t>(data.size()));
    ASSERT_EQ(QzClose(h), QzError::None);
}

Bytes ReadFile(const std::string& path, std::size_t piece) {
    QzHandle* h = QzOpenForReading(path);
    EXPECT_NE(h, nullptr);
    Bytes out, buffer(piece);
    for (std::size_t got = piece; got == piece;) {
        EXPECT_EQ(QzRead(h, buffer.data(), piece, &got), QzError::None);
        out.insert(out.end(), buffer.begin(), buffer.begin() + got);
        EXPECT_EQ(QzTell(h), static_cast<std::int64_t>(out.size()));
    }
    EXPECT_TRUE(QzAtEnd(h));
    QzClose(h);
    return out;
}

TEST(FileStreams, PiecesOfEverySizeAroundTheBufferRoundTrip) {
    TempDir dir;
    const Bytes data = RandomBytes(300007, 9);
    const std::size_t pieces[] = {1, 1000, 65535, 65536, 65537, 200000, 400000};
    for (std::size_t writePiece : pieces) {
        const std::string path = dir.file("p" + std::to_string(writePiece));
        WriteFile(path, data, writePiece);
        for (std::size_t readPiece : pieces)
            ASSERT_TRUE(ReadFile(path, readPiece) == data) << writePiece << "/" << readPiece;
    }
}

TEST(FileStreams, SeekClampsToTheEndAndRereadsTheBufferedBlockWithoutTheSystem) {
    TempDir dir;
    const std::string path = dir.file("f");
    const Bytes data = RandomBytes(200000, 1);
    WriteFile(path, data, 1 << 20);
    QzHandle* h = QzOpenForReading(path);
    EXPECT_EQ(QzSeek(h, 999999), QzError::None);
    EXPECT_EQ(QzTell(h), 200000);
    EXPECT_TRUE(QzAtEnd(h));

    ASSERT_EQ(QzSeek(h, 100), QzError::None);
    std::uint8_t b[4];
    QzRead(h, b, 4, nullptr); // fills the buffer from 100 on
    {
        // Zero the file's start underneath: only a new system read can see it.
        std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
        const Bytes zeros(120000, 0);
        f.write(reinterpret_cast<const char*>(zeros.data()), 120000);
    }
    // Inside the block forward and backward, before it, and far beyond it.
    const std::pair<std::int64_t, std::uint8_t> seeks[] = {
        {150, data[150]}, {100, data[100]}, {99, 0}, {190000, data[190000]}};
    for (const auto& [at, expected] : seeks) {
        EXPECT_EQ(QzSeek(h, at), QzError::None);
        QzRead(h, b, 1, nullptr);
        EXPECT_EQ(b[0], expected) << at;
    }
    QzClose(h);
}

TEST(FileStreams, WriterSeeksBackAndOverwrites) {
    TempDir dir;
    const std::string path = dir.file("w");
    Bytes expected = RandomBytes(150000, 2);
    QzHandle* h = QzOpenForWriting(path);
    QzWrite(h, expected.data(), 100, nullptr);
    QzSeek(h, 10); // inside the buffered block
    const std::uint8_t patch[3] = {1, 2, 3};
    QzWrite(h, patch, 3, nullptr);
    EXPECT_EQ(QzTell(h), 13);
    QzSeek(h, 100);
    QzWrite(h, expected.data() + 100, expected.size() - 100, nullptr);
    QzSeek(h, 5); // long since written out
    QzWrite(h, patch, 3, nullptr);
    QzSeek(h, 140000);
    QzWrite(h, patch, 3, nullptr);
    EXPECT_EQ(QzSize(h), 150000);
    QzSeek(h, 1 << 30);
    EXPECT_EQ(QzTell(h), 150000);
    ASSERT_EQ(QzClose(h), QzError::None);
    for (std::size_t at : {std::size_t{10}, std::size_t{5}, std::size_t{140000}})
        std::copy(patch, patch + 3, expected.begin() + static_cast<std::ptrdiff_t>(at));
    EXPECT_TRUE(ReadFile(path, 4096) == expected);
}

TEST(FileStreams, ErrorCodesOfTheInterface) {
    TempDir dir;
    EXPECT_EQ(QzOpenForReading(dir.file("missing")), nullptr);
    EXPECT_EQ(QzLastError(), QzError::FileNotFound);
    EXPECT_EQ(QzOpenForReading(dir.file("")), nullptr); // a folder
    EXPECT_EQ(QzLastError(), QzError::OpenFailed);
    EXPECT_EQ(QzRead(nullptr, nullptr, 1, nullptr), QzError::NullHandle);
    EXPECT_FALSE(QzAtEnd(nullptr));

    const std::string path = dir.file("f");
    WriteFile(path, {1, 2}, 2);
    QzHandle* h = QzOpenForReading(path);
    EXPECT_EQ(QzBeginCodec(h, 3), QzError::UnknownMethod);
    EXPECT_EQ(QzEndCodec(h), QzError::NotSupported);
    EXPECT_EQ(QzWrite(h, "x", 1, nullptr), QzError::NotSupported); // a reader
    QzClose(h);
    h = QzOpenForReading(path); // the stream keeps its first error; reading a byte past the end
    EXPECT_EQ(h->top()->getByte(), 1);
    EXPECT_EQ(h->top()->getByte(), 2);
    EXPECT_EQ(h->top()->getByte(), -1);
    EXPECT_EQ(h->top()->error(), QzError::ReadFailed);
    QzClose(h);

    // Codecs neither seek nor nest.
    Bytes sink;
    h = QzOpenMemoryForWriting(sink);
    ASSERT_EQ(QzBeginCodec(h, kQzMethodLzw), QzError::None);
    EXPECT_EQ(QzSeek(h, 0), QzError::NotSupported);
    EXPECT_EQ(QzBeginCodec(h, kQzMethodLzw), QzError::NotSupported);
    QzClose(h);
}

TEST(FileStreams, WriteFailuresReachTheEncoderAndTheCaller) {
    // Every write to this device fails with "no space".
    QzHandle* h = QzOpenForWriting("/dev/full");
    if (!h) GTEST_SKIP() << "/dev/full is not available";
    const Bytes data = RandomBytes(300000, 3);
    ASSERT_EQ(QzBeginCodec(h, kQzMethodLzw), QzError::None);
    QzError seen = QzError::None;
    for (std::size_t at = 0; at < data.size() && seen == QzError::None; at += 1000)
        seen = QzWrite(h, data.data() + at, 1000, nullptr);
    EXPECT_EQ(seen, QzError::WriteFailed);
    std::size_t put = 99;
    EXPECT_EQ(QzWrite(h, data.data(), 10, &put), QzError::WriteFailed);
    EXPECT_EQ(put, 0u);
    EXPECT_NE(QzClose(h), QzError::None);
}

} // namespace
} // namespace kv::test
