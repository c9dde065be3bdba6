#include "StreamTestSupport.h"

#include "storage/LzrcModel.h"
#include "storage/PriceTable.h"
#include "storage/QzBlockOutput.h"
#include "storage/QzHandle.h"
#include "storage/QzInterface.h"
#include "storage/QzMemoryStreams.h"
#include "storage/RangeEncoder.h"

#include <gtest/gtest.h>

#include <memory>

namespace kv::test {
namespace {

constexpr int kLzw = kQzMethodLzw;
constexpr int kLzrc = kQzMethodLzrc;
constexpr unsigned kEnd = LzrcModel::kEndSymbol;

// Writes lzrc symbols with the coder's parts directly, to build streams the
// encoder itself would never produce.
Bytes HandCoded(const std::vector<unsigned>& symbols, const std::vector<unsigned>& distances) {
    Bytes out;
    QzHandle handle;
    new QzMemoryWriter(handle, out);
    QzBlockOutput block(handle.top());
    RangeEncoder rc(block);
    auto model = std::make_unique<LzrcModel>();
    model->reset();
    std::size_t nextDistance = 0;
    unsigned context = 0;
    for (unsigned s : symbols) {
        rc.encodeTree(model->symbols[context], 9, s);
        if (s == LzrcModel::kResetSymbol)
            model->reset();
        else if (s >= 256 && s < 510)
            rc.encodeTree(model->distances, 16, distances[nextDistance++] - 1);
        else if (s < 256)
            context = s >> 4;
    }
    rc.finish();
    block.flush();
    return out;
}

QzError FirstError(const Decoded& d) {
    return d.beginError != QzError::None ? d.beginError : d.readError;
}

TEST(Codecs, EmptySectionIsTheEndCodeAlone) {
    // LZW: the end code in nine bits; lzrc: the end symbol in five bytes.
    const Bytes lzrcEnd = HandCoded({kEnd}, {});
    EXPECT_EQ(lzrcEnd.size(), 5u);
    for (const auto& [method, expected] : {std::pair{kLzw, Bytes{0x80, 0x80}}, std::pair{kLzrc, lzrcEnd}}) {
        SCOPED_TRACE(method);
        EXPECT_EQ(Compress(method, {}), expected);
        const Decoded d = Decompress(method, expected);
        EXPECT_EQ(d.beginError, QzError::None);
        EXPECT_TRUE(d.bytes.empty());
        EXPECT_TRUE(d.atEnd);
        EXPECT_EQ(d.consumed, static_cast<std::int64_t>(expected.size()));
    }
}

TEST(Codecs, RoundTripInPiecesOfEverySize) {
    Bytes text, pattern(300000);
    const char* words[] = {"layer ", "palette ", "icon ", "cursor ", "mask "};
    for (std::size_t i = 0; text.size() < 150000; ++i)
        text.insert(text.end(), words[(i * 7 + i / 3) % 5], words[(i * 7 + i / 3) % 5] + 5);
    for (std::size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = static_cast<std::uint8_t>((i * i) >> 7);
    // The random data fills the LZW dictionary several times.
    const Bytes cases[] = {{42},     Bytes(3, 9),           Bytes(70000, 'x'), RandomBytes(400000, 1),
                           pattern,  ResidualLike(200000, 2), text,            Bytes(70000, 0)};
    for (const int method : {kLzw, kLzrc})
        for (const Bytes& data : cases) {
            const Bytes packed = Compress(method, data);
            for (std::size_t piece : {std::size_t{1}, std::size_t{777}, std::size_t{1} << 20}) {
                SCOPED_TRACE(testing::Message() << method << ": " << data.size() << " in " << piece);
                const Decoded d = Decompress(method, packed, data.size() + 10, piece);
                EXPECT_EQ(d.readError, QzError::None);
                EXPECT_TRUE(d.bytes == data);
                EXPECT_TRUE(d.atEnd);
                EXPECT_EQ(d.consumed, static_cast<std::int64_t>(packed.size()));
            }
        }
}

TEST(Codecs, CorruptStreamsEndInAnError) {
    struct Case {
        const char* name;
        int method;
        Bytes stream;
        QzError expected;
    };
    const Case cases[] = {
        {"code beyond the next free one", kLzw, PackCodes({{'A', 9}, {300, 9}}), QzError::CorruptData},
        {"code being defined without a previous code", kLzw, PackCodes({{258, 9}}), QzError::CorruptData},
        {"same after a clear", kLzw, PackCodes({{'A', 9}, {256, 9}, {258, 9}}), QzError::CorruptData},
        {"no end code", kLzw, PackCodes({{'A', 9}, {'B', 9}}), QzError::ReadFailed},
        {"empty input", kLzw, {}, QzError::ReadFailed},
        {"match before any output", kLzrc, HandCoded({260, kEnd}, {1}), QzError::ReadFailed},
        {"match beyond the output", kLzrc, HandCoded({'a', 'b', 260, kEnd}, {3}), QzError::ReadFailed},
    };
    for (const Case& c : cases) {
        const Decoded d = Decompress(c.method, c.stream);
        EXPECT_EQ(FirstError(d), c.expected) << c.name;
        if (c.method == kLzw) {
            EXPECT_TRUE(d.atEnd) << c.name;
        }
    }
    EXPECT_EQ(Decompress(kLzrc, cases[6].stream).bytes, (Bytes{'a', 'b'}));
}

TEST(Codecs, EveryTruncationOfAValidStreamFailsCleanly) {
    const Bytes data = ResidualLike(4000, 5);
    for (const int method : {kLzw, kLzrc}) {
        const Bytes packed = Compress(method, data);
        for (std::size_t cut = 0; cut < packed.size(); ++cut) {
            const Bytes part(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(cut));
            const Decoded d = Decompress(method, part);
            ASSERT_EQ(FirstError(d), QzError::ReadFailed) << method << " cut at " << cut;
            ASSERT_LE(d.bytes.size(), data.size());
            ASSERT_TRUE(std::equal(d.bytes.begin(), d.bytes.end(), data.begin()));
        }
    }
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

TEST(PriceTable, EndpointsAndInterpolation) {
    const PriceTable prices;
    EXPECT_EQ(prices.zero(2048), 65536u);          // one bit
    EXPECT_EQ(prices.zero(1024), 2u * 65536u);     // two bits
    EXPECT_EQ(prices.zero(1), 12u * 65536u);       // k = 0: the table's start
    EXPECT_EQ(prices.zero(3072), 65536u - 38336u); // k = 11, x = 2048: T[8]
    // k = 11, x = 2 << 1 = 4 lies between T[0] and T[1]: 5732 * 4 / 256 = 89.
    EXPECT_EQ(prices.zero(2050), 65536u - 89u);
    EXPECT_EQ(prices.bit(1024, 1), prices.zero(3072));
}

TEST(LzrcCodec, RepeatedBlockIsFoundAtDistance65536) {
    // A block the size of the window, twice: the second copy can only be
    // found exactly one window back.
    Bytes data = RandomBytes(65536, 3);
    data.insert(data.end(), data.begin(), data.end());
    const Bytes packed = Compress(kLzrc, data);
    EXPECT_LT(packed.size(), 65536u + 2000u);
    const Decoded d = Decompress(kLzrc, packed, data.size() + 1);
    EXPECT_EQ(d.readError, QzError::None);
    EXPECT_TRUE(d.bytes == data);

    // Coded by hand: 'q', then a match reaching exactly 65536 back is only
    // legal once 65536 bytes exist.
    std::vector<unsigned> symbols{'q'}, distances;
    for (int i = 0; i < 256; ++i) {
        symbols.push_back(256 + 253);
        distances.push_back(1);
    }
    symbols.push_back(256 + 253);
    distances.push_back(65536);
    symbols.push_back(kEnd);
    const Decoded far = Decompress(kLzrc, HandCoded(symbols, distances), 1 << 20);
    EXPECT_EQ(far.readError, QzError::None);
    EXPECT_EQ(far.bytes, Bytes(1 + 256 * 256 + 256, 'q'));
}

TEST(LzrcCodec, DecoderAcceptsTheModelResetSymbol) {
    const Bytes packed = HandCoded({'x', 'x', LzrcModel::kResetSymbol, 'y', kEnd}, {});
    EXPECT_EQ(Decompress(kLzrc, packed).bytes, (Bytes{'x', 'x', 'y'}));
}

} // namespace
} // namespace kv::test
