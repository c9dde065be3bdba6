#include "support/StorageTestSupport.h"

#include "storage/chunks/ChunkHeader.h"
#include "storage/chunks/ChunkReader.h"
#include "storage/chunks/ChunkWriter.h"
#include "storage/chunks/Crc16.h"
#include "storage/chunks/FileCompression.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

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
    const auto read = [](const Bytes& bytes, std::uint32_t& value) {
        ChunkReader r;
        r.openMemory(bytes.data(), bytes.size());
        return r.readVarUInt(value);
    };
    for (const auto& [value, bytes] : cases) {
        EXPECT_EQ(Written([&](ChunkWriter& w) { w.writeVarUInt(value); }), bytes) << value;
        std::uint32_t back = 1;
        EXPECT_TRUE(read(bytes, back) && back == value) << value;
    }
    std::uint32_t value = 0;
    EXPECT_FALSE(read({0x80, 0x80, 0x80, 0x80, 0x80, 0x00}, value));
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

TEST(ChunkTree, ReadingIntoTheNextChunkMakesEndingThisOneInvalid) {
    const Bytes file = Written([](ChunkWriter& w) {
        w.beginChunk(ChunkTag("OUTR"));
        w.write("xyz", 3);
        w.endChunk();
        w.write("cd", 2);
    });
    ChunkReader r;
    r.openMemory(file.data(), file.size());
    std::uint32_t tag = 0;
    r.beginChunk(tag);
    char body[4];
    EXPECT_TRUE(r.read(body, 4));
    EXPECT_FALSE(r.endChunk());
}

TEST(ChunkTree, DamagedHeadersAreRejected) {
    struct Case {
        const char* name;
        std::size_t offset;
        std::uint8_t value;
    };
    const Case cases[] = {{"length", 4, 0x7F}, {"check", 8, 0x00}, {"tag", 3, 'X'}};
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

} // namespace
} // namespace kv::test
