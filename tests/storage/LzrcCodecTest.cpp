#include "StreamTestSupport.h"

#include "storage/LzrcModel.h"
#include "storage/PriceTable.h"
#include "storage/QzBlockOutput.h"
#include "storage/QzHandle.h"
#include "storage/QzInterface.h"
#include "storage/QzMemoryStreams.h"
#include "storage/RangeDecoder.h"
#include "storage/RangeEncoder.h"

#include <gtest/gtest.h>

#include <memory>

namespace kv::test {
namespace {

constexpr int kLzrc = kQzMethodLzrc;

// One coded symbol: a literal (length 0) or a match.
struct Symbol {
    std::uint32_t literal = 0;
    std::uint32_t length = 0;
    std::uint32_t distance = 0;
};

// Lists the symbols of a section, to check what the encoder chose. It
// rebuilds the output only as far as the contexts need it.
std::vector<Symbol> TraceSymbols(const Bytes& packed) {
    QzHandle handle;
    new QzMemoryReader(handle, packed.data(), packed.size());
    auto model = std::make_unique<LzrcModel>();
    model->reset();
    RangeDecoder rc(handle.top());
    rc.start();
    std::vector<Symbol> symbols;
    Bytes output;
    while (!rc.failed()) {
        const unsigned context = output.empty() ? 0 : output.back() >> 4;
        const unsigned s = rc.decodeTree(model->symbols[context], 9);
        if (s == LzrcModel::kEndSymbol) break;
        if (s < 256) {
            symbols.push_back({s, 0, 0});
            output.push_back(static_cast<std::uint8_t>(s));
            continue;
        }
        const unsigned distance = rc.decodeTree(model->distances, 16) + 1;
        symbols.push_back({0, s - 253, distance});
        if (distance > output.size()) break;
        for (unsigned i = 0; i < s - 253; ++i)
            output.push_back(output[output.size() - distance]);
    }
    return symbols;
}

// Writes symbols with the coder's parts directly, to build streams the
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

TEST(LzrcCodec, EmptySectionIsTheEndSymbolAlone) {
    const Bytes packed = Compress(kLzrc, {});
    EXPECT_EQ(packed, HandCoded({LzrcModel::kEndSymbol}, {}));
    EXPECT_EQ(packed.size(), 5u);
    const Decoded d = Decompress(kLzrc, packed);
    EXPECT_EQ(d.beginError, QzError::None);
    EXPECT_TRUE(d.bytes.empty());
    EXPECT_TRUE(d.atEnd);
    EXPECT_EQ(d.consumed, 5);
}

TEST(LzrcCodec, LongRunBecomesMatchesOf256AtDistanceOne) {
    const Bytes run(1000, 'a');
    const Bytes packed = Compress(kLzrc, run);
    const Decoded d = Decompress(kLzrc, packed);
    EXPECT_EQ(d.bytes, run);
    EXPECT_EQ(d.consumed, static_cast<std::int64_t>(packed.size()));

    // The literal, then matches of 256 bytes from one byte back, and a short
    // one for the remainder.
    const auto symbols = TraceSymbols(packed);
    ASSERT_EQ(symbols.size(), 5u);
    EXPECT_EQ(symbols[0].length, 0u);
    EXPECT_EQ(symbols[0].literal, 'a');
    for (std::size_t i = 1; i < symbols.size(); ++i) {
        EXPECT_EQ(symbols[i].length, i < 4 ? 256u : 999u - 3 * 256u) << i;
        EXPECT_EQ(symbols[i].distance, 1u) << i;
    }
}

TEST(LzrcCodec, RepeatedBlockIsFoundAtDistance65536) {
    // A block the size of the window, twice: the second copy can only be
    // found exactly one window back.
    Bytes data = RandomBytes(65536, 3);
    data.insert(data.end(), data.begin(), data.end());
    const Bytes packed = Compress(kLzrc, data);
    EXPECT_LT(packed.size(), 65536u + 2000u);
    std::size_t farMatches = 0, covered = 0;
    for (const Symbol& s : TraceSymbols(packed)) {
        covered += s.length == 0 ? 1 : s.length;
        if (s.distance == 65536) {
            ++farMatches;
            EXPECT_GE(covered, 65536u + s.length);
        }
    }
    EXPECT_EQ(covered, data.size());
    EXPECT_GE(farMatches, 65536u / 256u - 1);
    const Decoded d = Decompress(kLzrc, packed, data.size() + 1);
    EXPECT_EQ(d.readError, QzError::None);
    EXPECT_TRUE(d.bytes == data);
    EXPECT_TRUE(d.atEnd);

    // Coded by hand: 'q', then a match reaching exactly 65536 back is only
    // legal once 65536 bytes exist.
    std::vector<unsigned> symbols{'q', 256 + 253};
    std::vector<unsigned> distances{1};
    for (int i = 0; i < 255; ++i) {
        symbols.push_back(256 + 253);
        distances.push_back(1);
    }
    symbols.push_back(256 + 253);
    distances.push_back(65536);
    symbols.push_back(LzrcModel::kEndSymbol);
    const Decoded far = Decompress(kLzrc, HandCoded(symbols, distances), 1 << 20);
    EXPECT_EQ(far.readError, QzError::None);
    EXPECT_EQ(far.bytes, Bytes(1 + 256 * 256 + 256, 'q'));
}

TEST(LzrcCodec, RoundTripsVariedData) {
    Bytes text;
    const char* words[] = {"layer ", "palette ", "icon ", "cursor ", "mask "};
    for (std::size_t i = 0; text.size() < 150000; ++i)
        text.insert(text.end(), words[(i * 7 + i / 3) % 5], words[(i * 7 + i / 3) % 5] + 5);
    const Bytes cases[] = {
        {7}, Bytes(3, 9), RandomBytes(100000, 11), text, ResidualLike(140000, 4), Bytes(70000, 0)};
    for (const Bytes& data : cases) {
        const Bytes packed = Compress(kLzrc, data);
        for (std::size_t piece : {std::size_t{1}, std::size_t{4099}}) {
            const Decoded d = Decompress(kLzrc, packed, data.size() + 10, piece);
            EXPECT_EQ(d.readError, QzError::None) << data.size();
            EXPECT_TRUE(d.bytes == data) << data.size() << " piece " << piece;
            EXPECT_TRUE(d.atEnd);
            EXPECT_EQ(d.consumed, static_cast<std::int64_t>(packed.size()));
        }
    }
}

TEST(LzrcCodec, DecoderAcceptsTheModelResetSymbol) {
    const Bytes packed =
        HandCoded({'x', 'x', LzrcModel::kResetSymbol, 'y', LzrcModel::kEndSymbol}, {});
    EXPECT_EQ(Decompress(kLzrc, packed).bytes, (Bytes{'x', 'x', 'y'}));
}

TEST(LzrcCodec, CorruptAndTruncatedStreamsEndInAnError) {
    // A match before any output reaches outside the data.
    const Decoded early = Decompress(kLzrc, HandCoded({260, LzrcModel::kEndSymbol}, {1}));
    EXPECT_EQ(early.beginError, QzError::ReadFailed);
    const Decoded far = Decompress(kLzrc, HandCoded({'a', 'b', 260, LzrcModel::kEndSymbol}, {3}));
    EXPECT_EQ(far.bytes, (Bytes{'a', 'b'}));
    EXPECT_EQ(far.readError, QzError::ReadFailed);

    const Bytes data = ResidualLike(5000, 8);
    const Bytes packed = Compress(kLzrc, data);
    for (std::size_t cut = 0; cut < packed.size(); ++cut) {
        const Bytes part(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(cut));
        const Decoded d = Decompress(kLzrc, part);
        const QzError seen = d.beginError != QzError::None ? d.beginError : d.readError;
        ASSERT_EQ(seen, QzError::ReadFailed) << "cut at " << cut;
        ASSERT_TRUE(std::equal(d.bytes.begin(), d.bytes.end(), data.begin()));
    }
}

TEST(LzrcCodec, SectionsFollowEachOtherInOneStream) {
    const Bytes first = ResidualLike(5000, 1), second = RandomBytes(3000, 2);
    Bytes file;
    QzHandle* w = QzOpenMemoryForWriting(file);
    const std::uint8_t plain[] = {1, 2, 3};
    QzWrite(w, plain, 3, nullptr);
    QzBeginCodec(w, kQzMethodLzrc);
    QzWrite(w, first.data(), first.size(), nullptr);
    QzEndCodec(w);
    QzBeginCodec(w, kQzMethodLzw);
    QzWrite(w, second.data(), second.size(), nullptr);
    ASSERT_EQ(QzClose(w), QzError::None); // closing finishes the open section

    QzHandle* r = QzOpenMemoryForReading(file.data(), file.size());
    std::uint8_t head[3];
    QzRead(r, head, 3, nullptr);
    Bytes a(first.size()), b(second.size());
    std::size_t got = 0;
    ASSERT_EQ(QzBeginCodec(r, kQzMethodLzrc), QzError::None);
    EXPECT_EQ(QzRead(r, a.data(), a.size(), &got), QzError::None);
    EXPECT_TRUE(QzAtEnd(r));
    EXPECT_EQ(QzEndCodec(r), QzError::None);
    ASSERT_EQ(QzBeginCodec(r, kQzMethodLzw), QzError::None);
    EXPECT_EQ(QzRead(r, b.data(), b.size(), &got), QzError::None);
    EXPECT_EQ(QzEndCodec(r), QzError::None);
    EXPECT_TRUE(QzAtEnd(r)); // the file reader again, at its end
    EXPECT_EQ(QzClose(r), QzError::None);
    EXPECT_EQ(a, first);
    EXPECT_EQ(b, second);
}

} // namespace
} // namespace kv::test
