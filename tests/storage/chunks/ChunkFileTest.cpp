#include "support/StorageTestSupport.h"

#include "platform/Exceptions.h"
#include "storage/chunks/ChunkHeader.h"
#include "storage/chunks/ChunkReader.h"
#include "storage/chunks/ChunkWriter.h"
#include "storage/chunks/Crc16.h"
#include "storage/chunks/FileCompression.h"

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

TEST(ChunkEncodings, StringsEncodeEachUtf16UnitOnItsOwnAndReadLeniently) {
    struct Case {
        Bytes bytes;
        const char* text;    // expected result, or null
        const char* message; // expected message when it fails
        bool written;        // also the writer's form of `text`
    };
    const Case cases[] = {
        {{0}, "", nullptr, true},
        {{2, 'A', 'b'}, "Ab", nullptr, true},
        {{2, 0xC3, 0xA9}, "\xC3\xA9", nullptr, true},           // e acute: 2 bytes
        {{3, 0xE2, 0x82, 0xAC}, "\xE2\x82\xAC", nullptr, true}, // euro sign: 3 bytes
        // U+1F600 is a surrogate pair: two 3-byte units, not one 4-byte form,
        {{6, 0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}, "\xF0\x9F\x98\x80", nullptr, true},
        // though the 4-byte form is accepted.
        {{4, 0xF0, 0x9F, 0x98, 0x80}, "\xF0\x9F\x98\x80", nullptr, false},
        {{4, 0x80, 'o', 0xBF, 'k'}, "ok", nullptr, false},                  // stray continuations
        {{2, 0xFF, 'a'}, nullptr, "Invalid data", false},                   // no such lead byte
        {{2, 'a', 0xE2}, nullptr, "Invalid data", false},                   // cut short
        {{3, 0xED, 0xA0, 0xBD}, nullptr, "String conversion error", false}, // lone surrogate
        {{0xFF, 0xFF, 0xFF, 0xFF, 0x0F}, nullptr, "Read failed", false}, // 4 GB claimed, none there
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        if (c.written) {
            EXPECT_EQ(Written([&](ChunkWriter& w) { w.writeString(c.text); }), c.bytes);
        }
        ChunkReader r;
        r.openMemory(c.bytes.data(), c.bytes.size());
        std::string text = "unchanged";
        const bool ok = r.readString(text);
        ASSERT_EQ(ok, c.text != nullptr);
        EXPECT_EQ(ok ? text : r.errors().message(), ok ? c.text : c.message);
    }
    ChunkWriter w;
    Bytes sink;
    w.openMemory(sink);
    EXPECT_FALSE(w.writeString("bad \xC3"));
    EXPECT_EQ(w.errors().message(), "Invalid string");
}

// A small tree: ROOT { HEAD {record, compressed record, 99}, DATA compressed, SKIP {KID} }.
// Each record is written in one version and read in another.
Bytes WriteTree(FileCompression method, const Bytes& payload) {
    return Written([&](ChunkWriter& w) {
        w.beginChunk(ChunkTag("ROOT"));
        w.beginChunk(ChunkTag("HEAD"));
        const RecordV2 newer{16, 32, 7, 0.5f};
        w.writeRecord(&newer, sizeof newer);
        w.beginCompression(method);
        const RecordV1 older{8, 8};
        w.writeRecord(&older, sizeof older);
        w.endCompression();
        w.writeVarUInt(99);
        w.endChunk();
        w.beginChunk(ChunkTag("DATA"));
        w.beginCompression(method);
        w.write(payload.data(), payload.size());
        w.endCompression();
        w.endChunk();
        w.beginChunk(ChunkTag("SKIP"));
        w.beginChunk(ChunkTag("KID "));
        w.writeString("never read"); // closing completes KID, SKIP and ROOT
    });
}

TEST(ChunkTree, RoundTripWithBothMethodsSkippingWhatIsNotRead) {
    const Bytes payload = ResidualLike(100000, 12);
    for (FileCompression method : {FileCompression::Lzw, FileCompression::Lzrc}) {
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
                RecordV1 small{-1, -1};
                EXPECT_TRUE(r.readRecord(&small, sizeof small)); // the rest is skipped
                EXPECT_EQ(small.width, 16);
                EXPECT_EQ(small.height, 32);
                EXPECT_TRUE(r.beginDecompression(method));
                RecordV2 big{-1, -1, 0xFFFFFFFF, -1.0f};
                EXPECT_TRUE(r.readRecord(&big, sizeof big)); // preset fields stay
                EXPECT_EQ(big.width, 8);
                EXPECT_EQ(big.flags, 0xFFFFFFFFu);
                EXPECT_EQ(big.opacity, -1.0f);
                EXPECT_TRUE(r.endDecompression());
                std::uint32_t last = 0;
                EXPECT_TRUE(r.readVarUInt(last));
                EXPECT_EQ(last, 99u);
            } else if (tag == ChunkTag("DATA")) {
                EXPECT_TRUE(r.beginDecompression(method));
                Bytes back(1000); // only the start: the rest is skipped
                EXPECT_TRUE(r.read(back.data(), back.size()));
                EXPECT_TRUE(std::equal(back.begin(), back.end(), payload.begin()));
                EXPECT_TRUE(r.endDecompression());
            }
            EXPECT_TRUE(r.endChunk());
        }
        EXPECT_TRUE(r.endChunk());
        EXPECT_TRUE(r.atEnd());
        EXPECT_EQ(r.tell(), static_cast<std::int64_t>(file.size()));
        EXPECT_EQ(seen, (std::vector<std::uint32_t>{ChunkTag("HEAD"), ChunkTag("DATA"),
                                                    ChunkTag("SKIP")}));
        EXPECT_FALSE(r.errors().failed()) << r.errors().message();
    }
}

TEST(ChunkTree, HeaderLengthsSkippingAndReadingPastAChunk) {
    const Bytes file = Written([](ChunkWriter& w) {
        w.beginChunk(ChunkTag("OUTR"));
        w.beginChunk(ChunkTag("NULL"));
        w.endChunk();
        w.write("xyz", 3);
        w.endChunk();
        w.write("cd", 2);
    });
    ASSERT_EQ(file.size(), 25u);
    const auto outer = ChunkHeader::parse(
        {file[0], file[1], file[2], file[3], file[4], file[5], file[6], file[7], file[8], file[9]});
    EXPECT_EQ(outer.tag, ChunkTag("OUTR"));
    EXPECT_EQ(outer.length, 13u);
    EXPECT_TRUE(outer.checkMatches());
    EXPECT_EQ(file[14], 0); // the empty chunk's length

    // Skipping is a pending seek, honoured by tell, reads and atEnd.
    ChunkReader r;
    r.openMemory(file.data(), file.size());
    std::uint32_t tag = 0;
    r.beginChunk(tag);
    EXPECT_EQ(r.tell(), 10);
    EXPECT_TRUE(r.endChunk());
    EXPECT_EQ(r.tell(), 23);
    char two[2];
    EXPECT_TRUE(r.read(two, 2));
    EXPECT_EQ(std::string(two, 2), "cd");
    EXPECT_TRUE(r.atEnd());

    // Reading into the next chunk's bytes makes ending this one invalid.
    ChunkReader past;
    past.openMemory(file.data(), file.size());
    past.beginChunk(tag);
    char body[15];
    EXPECT_TRUE(past.read(body, 15));
    EXPECT_TRUE(past.atChunkEnd());
    EXPECT_FALSE(past.endChunk());
    EXPECT_EQ(past.errors().message(), "Invalid data");
    EXPECT_EQ(past.depth(), 0u);
}

TEST(ChunkTree, DamagedHeadersAreRejected) {
    struct Case {
        const char* name;
        std::size_t offset;
        std::uint8_t value;
    };
    const Case cases[] = {{"length changed", 4, 0x7F},
                          {"known tag, check changed", 8, 0x00},
                          {"tag changed", 3, 'X'}};
    const Bytes good = WriteTree(FileCompression::Lzw, Bytes(10, 1));
    for (const Case& c : cases) {
        Bytes file = good;
        file[c.offset] = c.value;
        if (c.offset == 8) file[9] = static_cast<std::uint8_t>(file[9] ^ 0x55);
        ChunkReader r;
        r.openMemory(file.data(), file.size());
        std::uint32_t tag = 0;
        EXPECT_FALSE(r.beginChunk(tag)) << c.name;
        EXPECT_EQ(r.errors().message(), "Data is corrupted") << c.name;
    }
    // A zero tag is reported as such, whatever the check says.
    Bytes zeroTag(10, 0);
    ChunkReader r;
    r.openMemory(zeroTag.data(), zeroTag.size());
    std::uint32_t tag = 0;
    EXPECT_FALSE(r.beginChunk(tag));
    EXPECT_EQ(r.errors().message(), "Invalid chunk type");
}

TEST(FileErrors, FirstErrorWinsInBothModesAndResetClearsIt) {
    ChunkReader r;
    char b[1];
    EXPECT_FALSE(r.read(b, 1));
    EXPECT_EQ(r.errors().message(), "Cannot read: there is no open file");
    EXPECT_EQ(r.errors().state(), ErrorState::State::Failed);
    EXPECT_EQ(r.tell(), 0);
    EXPECT_TRUE(r.atEnd());
    EXPECT_FALSE(r.beginDecompression(FileCompression::Lzw));
    EXPECT_EQ(r.errors().message(), "Cannot read: there is no open file"); // kept

    ChunkWriter w;
    Bytes sink;
    w.openMemory(sink);
    EXPECT_FALSE(w.beginCompression(static_cast<FileCompression>(3)));
    EXPECT_EQ(w.errors().message(), "Unknown compression method");
    w.reset();
    EXPECT_EQ(w.errors().state(), ErrorState::State::Ok);
    EXPECT_EQ(w.errors().message(), "");

    const Bytes truncated{'A', 'B'};
    ChunkReader thrower;
    thrower.errors().setThrowOnError(true);
    thrower.openMemory(truncated.data(), truncated.size());
    auto raised = [](const std::function<void()>& call) {
        try {
            call();
        } catch (const CKVException& e) {
            return e.message();
        }
        return std::string("no exception");
    };
    std::uint32_t tag = 0;
    EXPECT_EQ(raised([&] { thrower.beginChunk(tag); }), "Read failed");
    EXPECT_EQ(raised([&] { thrower.seek(-5); }), "Read failed"); // the first error again
}

TEST(FileErrors, OpeningAndWriteProtection) {
    TempDir dir;
    ChunkReader r;
    EXPECT_FALSE(r.open(dir.file("missing.kvp")));
    EXPECT_EQ(r.errors().message(), "Cannot open the file");
    // Write permission is not checked for the superuser.
    if (::geteuid() == 0) GTEST_SKIP() << "running as root";
    const std::string locked = dir.file("locked.kvp");
    ChunkWriter w;
    ASSERT_TRUE(w.open(locked));
    ASSERT_TRUE(w.close());
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    EXPECT_FALSE(w.open(locked));
    EXPECT_EQ(w.errors().message(), "The file is write-protected");
}

} // namespace
} // namespace kv::test
