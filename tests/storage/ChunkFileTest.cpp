#include "StreamTestSupport.h"

#include "platform/Exceptions.h"
#include "storage/ChunkHeader.h"
#include "storage/ChunkReader.h"
#include "storage/ChunkWriter.h"
#include "storage/Crc16.h"
#include "storage/FileCompression.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <unistd.h>

namespace kv::test {
namespace {

// A record as a later version writes it, and the two versions around it.
struct RecordV1 {
    std::int32_t width;
    std::int32_t height;
};
struct RecordV2 {
    std::int32_t width;
    std::int32_t height;
    std::uint32_t flags;
    float opacity;
};

Bytes Written(const std::function<void(ChunkWriter&)>& body) {
    Bytes out;
    ChunkWriter w;
    EXPECT_TRUE(w.openMemory(out));
    body(w);
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.errors().failed()) << w.errors().message();
    return out;
}

TEST(ChunkEncodings, CrcAndHeaderBytes) {
    EXPECT_EQ(Crc16Arc("123456789", 9), 0xBB3D);
    EXPECT_EQ(Crc16Arc("", 0), 0);
    const auto bytes = ChunkHeader::make(ChunkTag("IMAG"), 0x01020304).serialize();
    const std::uint8_t first8[] = {0x49, 0x4D, 0x41, 0x47, 0x04, 0x03, 0x02, 0x01};
    EXPECT_EQ(std::memcmp(bytes.data(), first8, 8), 0);
    const std::uint16_t crc = Crc16Arc(first8, 8);
    EXPECT_EQ(bytes[8], crc & 0xFF);
    EXPECT_EQ(bytes[9], crc >> 8);
}

TEST(ChunkEncodings, VarUIntUsesTheShortestFormAndRejectsFiveContinuations) {
    const std::pair<std::uint32_t, Bytes> cases[] = {
        {0, {0x00}},
        {127, {0x7F}},
        {128, {0x80, 0x01}},
        {300, {0xAC, 0x02}},
        {0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x0F}},
    };
    for (const auto& [value, bytes] : cases) {
        EXPECT_EQ(Written([&](ChunkWriter& w) { w.writeVarUInt(value); }), bytes) << value;
        ChunkReader r;
        r.openMemory(bytes.data(), bytes.size());
        std::uint32_t back = 1;
        EXPECT_TRUE(r.readVarUInt(back));
        EXPECT_EQ(back, value);
    }
    const Bytes tooLong{0x80, 0x80, 0x80, 0x80, 0x80, 0x00};
    ChunkReader r;
    r.openMemory(tooLong.data(), tooLong.size());
    std::uint32_t value = 0;
    EXPECT_FALSE(r.readVarUInt(value));
    EXPECT_EQ(r.errors().message(), "Invalid data");
}

TEST(ChunkEncodings, StringsEncodeEachUtf16UnitOnItsOwn) {
    const std::pair<std::string, Bytes> cases[] = {
        {"", {0}},
        {"Ab", {2, 'A', 'b'}},
        {"\xC3\xA9", {2, 0xC3, 0xA9}},           // e acute: 2 bytes
        {"\xE2\x82\xAC", {3, 0xE2, 0x82, 0xAC}}, // euro sign: 3 bytes
        // U+1F600 is a surrogate pair: two 3-byte units, not one 4-byte form.
        {"\xF0\x9F\x98\x80", {6, 0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}},
    };
    for (const auto& [text, bytes] : cases) {
        EXPECT_EQ(Written([&](ChunkWriter& w) { w.writeString(text); }), bytes);
        ChunkReader r;
        r.openMemory(bytes.data(), bytes.size());
        std::string back = "unchanged";
        EXPECT_TRUE(r.readString(back));
        EXPECT_EQ(back, text);
    }
}

TEST(ChunkEncodings, StringReaderLeniencyAndFailures) {
    struct Case {
        Bytes bytes;
        const char* text;    // expected result, or null
        const char* message; // expected message when it fails
    };
    const Case cases[] = {
        {{4, 0xF0, 0x9F, 0x98, 0x80}, "\xF0\x9F\x98\x80", nullptr},  // 4-byte form accepted
        {{4, 0x80, 'o', 0xBF, 'k'}, "ok", nullptr},                  // stray continuations
        {{2, 0xFF, 'a'}, nullptr, "Invalid data"},                   // no such lead byte
        {{2, 'a', 0xE2}, nullptr, "Invalid data"},                   // cut short
        {{3, 0xED, 0xA0, 0xBD}, nullptr, "String conversion error"}, // lone surrogate
        {{9, 'a'}, nullptr, "Read failed"},                          // longer than the data
        {{0xFF, 0xFF, 0xFF, 0xFF, 0x0F}, nullptr, "Read failed"},    // 4 GB claimed
    };
    for (const Case& c : cases) {
        ChunkReader r;
        r.openMemory(c.bytes.data(), c.bytes.size());
        std::string text;
        const bool ok = r.readString(text);
        if (c.text) {
            EXPECT_TRUE(ok);
            EXPECT_EQ(text, c.text);
        } else {
            EXPECT_FALSE(ok);
            EXPECT_EQ(r.errors().message(), c.message);
        }
    }
    ChunkWriter w;
    Bytes sink;
    w.openMemory(sink);
    EXPECT_FALSE(w.writeString("bad \xC3"));
    EXPECT_EQ(w.errors().message(), "Invalid string");
}

TEST(ChunkRecords, ShorterAndLongerRecordsAlsoBeforeCompressedData) {
    const RecordV2 newer{16, 32, 7, 0.5f};
    const RecordV1 older{8, 8};
    const Bytes tail = ResidualLike(3000, 6);
    for (int method : {kFileCompressionNone, kFileCompressionLzw, kFileCompressionLzrc}) {
        const Bytes file = Written([&](ChunkWriter& w) {
            w.writeRecord(&newer, sizeof newer);
            if (method != kFileCompressionNone) w.beginCompression(method);
            w.writeRecord(&older, sizeof older);
            w.write(tail.data(), tail.size());
            if (method != kFileCompressionNone) w.endCompression();
            w.writeVarUInt(99);
        });
        ChunkReader r;
        r.openMemory(file.data(), file.size());
        RecordV1 small{-1, -1};
        EXPECT_TRUE(r.readRecord(&small, sizeof small)); // the rest is skipped
        EXPECT_EQ(small.width, 16);
        EXPECT_EQ(small.height, 32);
        if (method != kFileCompressionNone) {
            EXPECT_TRUE(r.beginDecompression(method));
        }
        RecordV2 big{-1, -1, 0xFFFFFFFF, -1.0f};
        EXPECT_TRUE(r.readRecord(&big, sizeof big)); // preset fields stay
        EXPECT_EQ(big.width, 8);
        EXPECT_EQ(big.flags, 0xFFFFFFFFu);
        EXPECT_EQ(big.opacity, -1.0f);
        Bytes back(tail.size());
        EXPECT_TRUE(r.read(back.data(), back.size()));
        EXPECT_EQ(back, tail);
        if (method != kFileCompressionNone) {
            EXPECT_TRUE(r.endDecompression());
        }
        std::uint32_t last = 0;
        EXPECT_TRUE(r.readVarUInt(last));
        EXPECT_EQ(last, 99u);
        EXPECT_TRUE(r.atEnd());
        EXPECT_FALSE(r.errors().failed()) << method << ": " << r.errors().message();
    }
}

// A small tree: ROOT { HEAD record, DATA compressed, SKIP {KID}, NULL {} }.
Bytes WriteTree(int method, const Bytes& payload) {
    return Written([&](ChunkWriter& w) {
        w.beginChunk(ChunkTag("ROOT"));
        w.beginChunk(ChunkTag("HEAD"));
        const RecordV1 head{3, 4};
        w.writeRecord(&head, sizeof head);
        w.endChunk();
        w.beginChunk(ChunkTag("DATA"));
        w.beginCompression(method);
        w.write(payload.data(), payload.size());
        w.endCompression();
        w.endChunk();
        w.beginChunk(ChunkTag("SKIP"));
        w.beginChunk(ChunkTag("KID "));
        w.writeString("never read");
        w.endChunk();
        w.endChunk();
        w.beginChunk(ChunkTag("NULL"));
        w.endChunk();
        w.endChunk();
    });
}

TEST(ChunkTree, RoundTripWithBothMethodsSkippingWhatIsNotRead) {
    const Bytes payload = ResidualLike(100000, 12);
    for (int method : {kFileCompressionLzw, kFileCompressionLzrc}) {
        const Bytes file = WriteTree(method, payload);
        ChunkReader r;
        r.openMemory(file.data(), file.size());
        std::uint32_t tag = 0;
        ASSERT_TRUE(r.beginChunk(tag));
        EXPECT_EQ(tag, ChunkTag("ROOT"));
        std::vector<std::uint32_t> seen;
        while (!r.atChunkEnd()) {
            ASSERT_TRUE(r.beginChunk(tag));
            seen.push_back(tag);
            if (tag == ChunkTag("HEAD")) {
                RecordV1 head{-1, -1};
                EXPECT_TRUE(r.readRecord(&head, sizeof head));
                EXPECT_EQ(head.height, 4);
            } else if (tag == ChunkTag("DATA")) {
                EXPECT_TRUE(r.beginDecompression(method));
                Bytes back(1000); // only the start: the rest is skipped
                EXPECT_TRUE(r.read(back.data(), back.size()));
                EXPECT_TRUE(std::equal(back.begin(), back.end(), payload.begin()));
                EXPECT_TRUE(r.endDecompression());
            } else if (tag == ChunkTag("NULL")) {
                EXPECT_TRUE(r.atChunkEnd());
            }
            EXPECT_TRUE(r.endChunk());
        }
        EXPECT_TRUE(r.endChunk());
        EXPECT_TRUE(r.atEnd());
        EXPECT_EQ(r.tell(), static_cast<std::int64_t>(file.size()));
        EXPECT_EQ(seen, (std::vector<std::uint32_t>{ChunkTag("HEAD"), ChunkTag("DATA"),
                                                    ChunkTag("SKIP"), ChunkTag("NULL")}));
        EXPECT_FALSE(r.errors().failed()) << r.errors().message();
    }
}

TEST(ChunkTree, HeaderLengthsAndEmptyBody) {
    const Bytes file = Written([](ChunkWriter& w) {
        w.beginChunk(ChunkTag("OUTR"));
        w.beginChunk(ChunkTag("NULL"));
        w.endChunk();
        w.write("xyz", 3);
        w.endChunk();
    });
    ASSERT_EQ(file.size(), 23u);
    const auto outer = ChunkHeader::parse(
        {file[0], file[1], file[2], file[3], file[4], file[5], file[6], file[7], file[8], file[9]});
    EXPECT_EQ(outer.tag, ChunkTag("OUTR"));
    EXPECT_EQ(outer.length, 13u);
    EXPECT_TRUE(outer.checkMatches());
    EXPECT_EQ(file[14], 0); // the empty chunk's length
}

TEST(ChunkTree, ReadingPastTheEndOfAChunkIsInvalid) {
    const Bytes file = Written([](ChunkWriter& w) {
        w.beginChunk(ChunkTag("TINY"));
        w.write("ab", 2);
        w.endChunk();
        w.write("cd", 2);
    });
    ChunkReader r;
    r.openMemory(file.data(), file.size());
    std::uint32_t tag = 0;
    ASSERT_TRUE(r.beginChunk(tag));
    char four[4];
    EXPECT_TRUE(r.read(four, 4));
    EXPECT_TRUE(r.atChunkEnd());
    EXPECT_FALSE(r.endChunk());
    EXPECT_EQ(r.errors().message(), "Invalid data");
    EXPECT_EQ(r.depth(), 0u);
}

TEST(ChunkTree, DamagedHeadersAreRejected) {
    struct Case {
        const char* name;
        std::size_t offset;
        std::uint8_t value;
        const char* message;
    };
    const Case cases[] = {
        {"length changed", 4, 0x7F, "Data is corrupted"},
        {"known tag, check changed", 8, 0x00, "Data is corrupted"},
        {"tag changed", 3, 'X', "Data is corrupted"},
    };
    const Bytes good = WriteTree(kFileCompressionLzw, Bytes(10, 1));
    for (const Case& c : cases) {
        Bytes file = good;
        file[c.offset] = c.value;
        if (c.offset == 8) file[9] = static_cast<std::uint8_t>(file[9] ^ 0x55);
        ChunkReader r;
        r.openMemory(file.data(), file.size());
        std::uint32_t tag = 0;
        EXPECT_FALSE(r.beginChunk(tag)) << c.name;
        EXPECT_EQ(r.errors().message(), c.message) << c.name;
    }
    // A zero tag is reported as such, whatever the check says.
    Bytes zeroTag(10, 0);
    ChunkReader r;
    r.openMemory(zeroTag.data(), zeroTag.size());
    std::uint32_t tag = 0;
    EXPECT_FALSE(r.beginChunk(tag));
    EXPECT_EQ(r.errors().message(), "Invalid chunk type");
}

TEST(ChunkTree, SkippingIsAPendingSeekHonouredByTellAndAtEnd) {
    const Bytes file = Written([](ChunkWriter& w) {
        w.beginChunk(ChunkTag("BODY"));
        w.write(Bytes(500, 7).data(), 500);
        w.endChunk();
    });
    ChunkReader r;
    r.openMemory(file.data(), file.size());
    std::uint32_t tag = 0;
    r.beginChunk(tag);
    EXPECT_EQ(r.tell(), 10);
    EXPECT_FALSE(r.atEnd());
    EXPECT_TRUE(r.endChunk());
    EXPECT_EQ(r.tell(), 510);
    EXPECT_TRUE(r.atEnd());
}

TEST(FileErrors, MessagesWithoutAFileAndTheFirstErrorWins) {
    ChunkReader r;
    char b[1];
    const std::pair<std::function<bool()>, const char*> readerCases[] = {
        {[&] { return r.read(b, 1); }, "Cannot read: there is no open file"},
        {[&] { return r.seek(0); }, "Cannot seek: there is no open file"},
        {[&] { return r.beginDecompression(1); }, "Cannot decompress: there is no open file"},
    };
    for (const auto& [call, message] : readerCases) {
        r.reset();
        EXPECT_FALSE(call());
        EXPECT_EQ(r.errors().message(), message);
        EXPECT_EQ(r.errors().state(), ErrorState::State::Failed);
    }
    EXPECT_EQ(r.tell(), 0);
    EXPECT_TRUE(r.atEnd());
    r.read(b, 1);
    EXPECT_EQ(r.errors().message(), "Cannot decompress: there is no open file"); // kept

    ChunkWriter w;
    const std::pair<std::function<bool()>, const char*> writerCases[] = {
        {[&] { return w.write(b, 1); }, "Cannot write: there is no open file"},
        {[&] { return w.seek(0); }, "Cannot seek: there is no open file"},
        {[&] { return w.beginCompression(1); }, "Cannot compress: there is no open file"},
    };
    for (const auto& [call, message] : writerCases) {
        w.reset();
        EXPECT_FALSE(call());
        EXPECT_EQ(w.errors().message(), message);
    }
    Bytes sink;
    w.reset();
    w.openMemory(sink);
    EXPECT_FALSE(w.beginCompression(3));
    EXPECT_EQ(w.errors().message(), "Unknown compression method");
    w.reset();
    EXPECT_EQ(w.errors().state(), ErrorState::State::Ok);
    EXPECT_EQ(w.errors().message(), "");
}

TEST(FileErrors, ThrowingModeRaisesTheFirstMessage) {
    const Bytes truncated{'A', 'B'};
    ChunkReader r;
    r.errors().setThrowOnError(true);
    r.openMemory(truncated.data(), truncated.size());
    std::uint32_t tag = 0;
    try {
        r.beginChunk(tag);
        FAIL() << "no exception";
    } catch (const CKVException& e) {
        EXPECT_EQ(e.message(), "Read failed");
    }
    try {
        r.seek(-5);
        FAIL() << "no exception";
    } catch (const CKVException& e) {
        EXPECT_EQ(e.message(), "Read failed"); // the first error is what is raised
    }
}

TEST(FileErrors, OpeningAndCreatingFiles) {
    TempDir dir;
    ChunkReader r;
    EXPECT_FALSE(r.open(dir.file("missing.kvp")));
    EXPECT_EQ(r.errors().message(), "Cannot open the file");

    ChunkWriter w;
    EXPECT_FALSE(w.open(dir.file("no/folder/x.kvp")));
    EXPECT_EQ(w.errors().message(), "Cannot create the file");
}

TEST(FileErrors, ReadOnlyFileIsReportedAsWriteProtected) {
    // Write permission is not checked for the superuser.
    if (::geteuid() == 0) GTEST_SKIP() << "running as root";
    TempDir dir;
    ChunkWriter w;
    const std::string locked = dir.file("locked.kvp");
    ASSERT_TRUE(w.open(locked));
    ASSERT_TRUE(w.close());
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    EXPECT_FALSE(w.open(locked));
    EXPECT_EQ(w.errors().message(), "The file is write-protected");
}

TEST(ChunkTree, FilesBiggerThanTheBufferKeepEveryHeaderRight) {
    // Headers are patched both inside the buffered block and long after it
    // has been written out.
    TempDir dir;
    const std::string path = dir.file("big.kvp");
    const Bytes blob = RandomBytes(150000, 21);
    ChunkWriter w;
    ASSERT_TRUE(w.open(path));
    w.beginChunk(ChunkTag("ROOT"));
    for (int i = 0; i < 3; ++i) {
        w.beginChunk(ChunkTag("BLOB"));
        w.write(blob.data(), blob.size() - 1000 * static_cast<std::size_t>(i));
        w.endChunk();
        w.beginChunk(ChunkTag("SMAL"));
        w.writeVarUInt(static_cast<std::uint32_t>(i));
        w.endChunk();
    }
    ASSERT_TRUE(w.close()); // completes ROOT
    EXPECT_EQ(std::filesystem::file_size(path), 10u + 3u * (10u + 11u) + 3u * 150000u - 3000u);

    ChunkReader r;
    ASSERT_TRUE(r.open(path));
    std::uint32_t tag = 0;
    ASSERT_TRUE(r.beginChunk(tag));
    std::uint32_t smalls = 0;
    while (!r.atChunkEnd()) {
        ASSERT_TRUE(r.beginChunk(tag));
        if (tag == ChunkTag("SMAL")) {
            std::uint32_t v = 0;
            ASSERT_TRUE(r.readVarUInt(v));
            EXPECT_EQ(v, smalls++);
        }
        ASSERT_TRUE(r.endChunk());
    }
    EXPECT_EQ(smalls, 3u);
    EXPECT_TRUE(r.close());
}

} // namespace
} // namespace kv::test
