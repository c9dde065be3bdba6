#include "StreamTestSupport.h"

#include "storage/QzError.h"

#include <gtest/gtest.h>

namespace kv::test {
namespace {

constexpr int kLzw = kQzMethodLzw;

TEST(LzwCodec, EmptySectionIsTheEndCodeInNineBits) {
    EXPECT_EQ(Compress(kLzw, {}), (Bytes{0x80, 0x80}));
    const Decoded d = Decompress(kLzw, {0x80, 0x80});
    EXPECT_EQ(d.beginError, QzError::None);
    EXPECT_TRUE(d.bytes.empty());
    EXPECT_TRUE(d.atEnd);
}

TEST(LzwCodec, RepeatedPairUsesTheCodeBeingDefined) {
    // A, B, AB, then ABA which the decoder meets before it has defined it.
    const Bytes expected = PackCodes({{'A', 9}, {'B', 9}, {258, 9}, {260, 9}, {257, 9}});
    EXPECT_EQ(expected, (Bytes{0x20, 0x90, 0xA0, 0x50, 0x48, 0x08}));
    const Bytes text{'A', 'B', 'A', 'B', 'A', 'B', 'A'};
    EXPECT_EQ(Compress(kLzw, text), expected);
    EXPECT_EQ(Decompress(kLzw, expected).bytes, text);
}

TEST(LzwCodec, WidthGrowsWhenTheDecoderReaches512Codes) {
    // Bytes 0..254 are all new pairs: 255 codes of 9 bits; the decoder's next
    // free code is then 512, so the end code already takes 10 bits.
    Bytes data;
    std::vector<std::pair<unsigned, unsigned>> codes;
    for (unsigned c = 0; c < 255; ++c) {
        data.push_back(static_cast<std::uint8_t>(c));
        codes.push_back({c, 9});
    }
    codes.push_back({257, 10});
    const Bytes expected = PackCodes(codes);
    EXPECT_EQ(Compress(kLzw, data), expected);
    const Decoded d = Decompress(kLzw, expected);
    EXPECT_EQ(d.readError, QzError::None);
    EXPECT_EQ(d.bytes, data);

    // One byte less: the end code stays at 9 bits.
    data.pop_back();
    codes.erase(codes.end() - 2, codes.end());
    codes.push_back({257, 9});
    EXPECT_EQ(Compress(kLzw, data), PackCodes(codes));
}

TEST(LzwCodec, RoundTripsAcrossEveryWidthAndDictionaryClears) {
    struct Case {
        const char* name;
        Bytes data;
    };
    Bytes run(70000, 'x');
    Bytes pattern(300000);
    for (std::size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = static_cast<std::uint8_t>((i * i) >> 7);
    const Case cases[] = {
        {"one byte", {42}},
        {"long run", run},
        {"random, fills the dictionary several times", RandomBytes(400000, 1)},
        {"structured", pattern},
        {"residuals", ResidualLike(200000, 2)},
    };
    for (const Case& c : cases) {
        const Bytes packed = Compress(kLzw, c.data);
        for (std::size_t piece : {std::size_t{1}, std::size_t{777}, std::size_t{1} << 20}) {
            const Decoded d = Decompress(kLzw, packed, c.data.size() + 10, piece);
            EXPECT_EQ(d.readError, QzError::None) << c.name;
            EXPECT_TRUE(d.bytes == c.data) << c.name << " piece " << piece;
            EXPECT_TRUE(d.atEnd) << c.name;
            EXPECT_EQ(d.consumed, static_cast<std::int64_t>(packed.size())) << c.name;
        }
    }
}

TEST(LzwCodec, FullDictionaryIsClearedWithA16BitClearCode) {
    // Random bytes add one code per one or two input bytes, so 200000 bytes
    // fill the 65535 codes at least once; the stream must hold a clear code.
    const Bytes data = RandomBytes(200000, 7);
    const Bytes packed = Compress(kLzw, data);
    // Walk the codes with the decoder's widths to find the clear.
    unsigned width = 9, next = 258, pos = 0;
    bool previous = false, sawClear = false;
    auto bitAt = [&](unsigned i) { return (packed[i / 8] >> (7 - i % 8)) & 1u; };
    for (;;) {
        unsigned code = 0;
        for (unsigned k = 0; k < width; ++k)
            code = code << 1 | bitAt(pos++);
        if (code == 257) break;
        if (code == 256) {
            EXPECT_EQ(next, 65535u);
            EXPECT_EQ(width, 16u);
            sawClear = true;
            width = 9, next = 258, previous = false;
            continue;
        }
        if (previous && next < 65535 && ++next == (1u << width)) ++width;
        previous = true;
    }
    EXPECT_TRUE(sawClear);
    EXPECT_EQ(Decompress(kLzw, packed).bytes, data);
}

TEST(LzwCodec, CorruptAndTruncatedStreamsEndInAnError) {
    struct Case {
        const char* name;
        Bytes stream;
        QzError expected;
    };
    const Case cases[] = {
        {"code beyond the next free one", PackCodes({{'A', 9}, {300, 9}}), QzError::CorruptData},
        {"code being defined without a previous code", PackCodes({{258, 9}}), QzError::CorruptData},
        {"same after a clear", PackCodes({{'A', 9}, {256, 9}, {258, 9}}), QzError::CorruptData},
        {"no end code", PackCodes({{'A', 9}, {'B', 9}}), QzError::ReadFailed},
        {"empty input", {}, QzError::ReadFailed},
    };
    for (const Case& c : cases) {
        const Decoded d = Decompress(kLzw, c.stream);
        const QzError seen = d.beginError != QzError::None ? d.beginError : d.readError;
        EXPECT_EQ(seen, c.expected) << c.name;
        EXPECT_TRUE(d.atEnd) << c.name;
    }
}

TEST(LzwCodec, EveryTruncationOfAValidStreamFailsCleanly) {
    const Bytes data = ResidualLike(3000, 5);
    const Bytes packed = Compress(kLzw, data);
    for (std::size_t cut = 0; cut < packed.size(); ++cut) {
        const Bytes part(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(cut));
        const Decoded d = Decompress(kLzw, part);
        const QzError seen = d.beginError != QzError::None ? d.beginError : d.readError;
        ASSERT_EQ(seen, QzError::ReadFailed) << "cut at " << cut;
        ASSERT_LE(d.bytes.size(), data.size());
        ASSERT_TRUE(std::equal(d.bytes.begin(), d.bytes.end(), data.begin()));
    }
}

} // namespace
} // namespace kv::test
