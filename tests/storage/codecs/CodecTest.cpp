#include "support/StorageTestSupport.h"

#include "storage/codecs/LzrcModel.h"
#include "storage/codecs/QzBlockOutput.h"
#include "storage/codecs/RangeEncoder.h"
#include "storage/pictures/BitmapWriter.h"
#include "storage/project/Predictor.h"
#include "storage/stream/QzHandle.h"
#include "storage/stream/QzInterface.h"
#include "storage/stream/QzMemoryStreams.h"
#include "storage/stream/QzStream.h"

#include <gtest/gtest.h>

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

TEST(FileStreams, WriteFailuresReachTheEncoderAndTheCaller) {
    // Every write to this device fails with "no space".
    QzHandle* h = QzOpenForWriting("/dev/full");
    if (!h) GTEST_SKIP() << "/dev/full is not available";
    const Bytes data = RandomBytes(300000, 3);
    ASSERT_EQ(QzBeginCodec(h, QzMethod::Lzw), QzError::None);
    QzError seen = QzError::None;
    for (std::size_t at = 0; at < data.size() && seen == QzError::None; at += 1000)
        seen = QzWrite(h, data.data() + at, 1000, nullptr);
    EXPECT_EQ(seen, QzError::WriteFailed);
    std::size_t put = 99;
    EXPECT_EQ(QzWrite(h, data.data(), 10, &put), QzError::WriteFailed);
    EXPECT_EQ(put, 0u);
    EXPECT_NE(QzClose(h), QzError::None);
}

constexpr QzMethod kLzw = QzMethod::Lzw;
constexpr QzMethod kLzrc = QzMethod::Lzrc;
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

TEST(Codecs, RoundTripInPiecesOfEverySize) {
    Bytes text, pattern(300000);
    const char* words[] = {"layer ", "palette ", "icon ", "cursor ", "mask "};
    for (std::size_t i = 0; text.size() < 150000; ++i)
        text.insert(text.end(), words[(i * 7 + i / 3) % 5], words[(i * 7 + i / 3) % 5] + 5);
    for (std::size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = static_cast<std::uint8_t>((i * i) >> 7);
    // The random data fills the LZW dictionary several times.
    const Bytes cases[] = {{},
                           {42},
                           Bytes(3, 9),
                           Bytes(70000, 'x'),
                           RandomBytes(400000, 1),
                           pattern,
                           ResidualLike(200000, 2),
                           text,
                           Bytes(70000, 0)};
    for (const QzMethod method : {kLzw, kLzrc})
        for (const Bytes& data : cases) {
            const Bytes packed = Compress(method, data);
            for (std::size_t piece : {std::size_t{1}, std::size_t{777}, std::size_t{1} << 20}) {
                SCOPED_TRACE(testing::Message()
                             << static_cast<int>(method) << ": " << data.size() << " in " << piece);
                const Decoded d = Decompress(method, packed, data.size() + 10, piece);
                EXPECT_EQ(d.error, QzError::None);
                EXPECT_TRUE(d.bytes == data);
                EXPECT_TRUE(d.atEnd);
                EXPECT_EQ(d.consumed, static_cast<std::int64_t>(packed.size()));
            }
        }
}

TEST(Codecs, CorruptStreamsEndInAnError) {
    struct Case {
        const char* name;
        QzMethod method;
        Bytes stream;
        QzError expected;
    };
    const Case cases[] = {
        {"code beyond the next free one", kLzw, PackCodes({{'A', 9}, {300, 9}}),
         QzError::CorruptData},
        {"code being defined without a previous code", kLzw, PackCodes({{258, 9}}),
         QzError::CorruptData},
        {"same after a clear", kLzw, PackCodes({{'A', 9}, {256, 9}, {258, 9}}),
         QzError::CorruptData},
        {"no end code", kLzw, PackCodes({{'A', 9}, {'B', 9}}), QzError::ReadFailed},
        {"empty input", kLzw, {}, QzError::ReadFailed},
        {"match before any output", kLzrc, HandCoded({260, kEnd}, {1}), QzError::ReadFailed},
        {"match beyond the output", kLzrc, HandCoded({'a', 'b', 260, kEnd}, {3}),
         QzError::ReadFailed},
    };
    for (const Case& c : cases) {
        const Decoded d = Decompress(c.method, c.stream);
        EXPECT_EQ(d.error, c.expected) << c.name;
        if (c.method == kLzw) {
            EXPECT_TRUE(d.atEnd) << c.name;
        }
    }
    EXPECT_EQ(Decompress(kLzrc, cases[6].stream).bytes, (Bytes{'a', 'b'}));
}

TEST(Codecs, EveryTruncationOfAValidStreamFailsCleanly) {
    const Bytes data = ResidualLike(4000, 5);
    for (const QzMethod method : {kLzw, kLzrc}) {
        const Bytes packed = Compress(method, data);
        for (std::size_t cut = 0; cut < packed.size(); ++cut) {
            const Bytes part(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(cut));
            const Decoded d = Decompress(method, part);
            ASSERT_EQ(d.error, QzError::ReadFailed)
                << static_cast<int>(method) << " cut at " << cut;
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
    EXPECT_EQ(d.error, QzError::None);
    EXPECT_EQ(d.bytes, data);
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

TEST(LzrcCodec, RepeatedBlockIsFoundAtDistance65536) {
    // A block the size of the window, twice: the second copy can only be
    // found exactly one window back.
    Bytes data = RandomBytes(65536, 3);
    data.insert(data.end(), data.begin(), data.end());
    const Bytes packed = Compress(kLzrc, data);
    EXPECT_LT(packed.size(), 65536u + 2000u);
    const Decoded d = Decompress(kLzrc, packed, data.size() + 1);
    EXPECT_EQ(d.error, QzError::None);
    EXPECT_TRUE(d.bytes == data);
}

TEST(LzrcCodec, DecoderAcceptsTheModelResetSymbol) {
    const Bytes packed = HandCoded({'x', 'x', LzrcModel::kResetSymbol, 'y', kEnd}, {});
    EXPECT_EQ(Decompress(kLzrc, packed).bytes, (Bytes{'x', 'x', 'y'}));
}

PixelArray Pixels(std::int32_t w, std::int32_t h, std::initializer_list<Color32> values) {
    PixelArray p(w, h);
    auto it = values.begin();
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x)
            p.set(x, y, *it++);
    return p;
}

TEST(Predictor, ResidualsOfEveryMethodInTileOrder) {
    // Worked by hand; tiles one pixel wide put the left column's rows first.
    const PixelArray p = Pixels(2, 2,
                                {MakeColor32(10, 20, 30, 255), MakeColor32(15, 25, 35, 0),
                                 MakeColor32(12, 22, 32, 7), MakeColor32(20, 30, 40, 255)});
    const Bytes expected[Predictor::kMethodCount] = {
        {10, 20, 30, 12, 22, 32, 15, 25, 35, 20, 30, 40}, {10, 20, 30, 2, 2, 2, 5, 5, 5, 8, 8, 8},
        {10, 20, 30, 2, 2, 2, 5, 5, 5, 5, 5, 5},          {10, 20, 30, 2, 2, 2, 5, 5, 5, 7, 7, 7},
        {10, 20, 30, 2, 2, 2, 5, 5, 5, 5, 5, 5},          {10, 20, 30, 2, 2, 2, 5, 5, 5, 3, 3, 3},
    };
    for (int method = 0; method < Predictor::kMethodCount; ++method) {
        Bytes out;
        RgbPlaneBytes(p, 1, 0, method, out);
        EXPECT_EQ(out, expected[method]) << "method " << method;
    }
}

TEST(Predictor, ClampingPaethTiesAndWrapAround) {
    struct Case {
        int method;
        Color32 l, u, ul, pixel;
        Bytes residual; // of the lower right pixel
    };
    const auto C = [](unsigned r, unsigned g, unsigned b) { return MakeColor32(r, g, b, 0); };
    const Case cases[] = {
        {5, C(250, 0, 9), C(250, 0, 9), C(0, 200, 9), C(255, 0, 9), {0, 0, 0}}, // clamped
        {4, C(5, 5, 5), C(5, 5, 5), C(5, 5, 5), C(6, 6, 6), {1, 1, 1}}, // ties take the left
        {4, C(0, 0, 0), C(100, 100, 100), C(100, 100, 100), C(1, 1, 1), {1, 1, 1}}, // p = 0: left
        {1, C(200, 0, 0), 0, 0, C(10, 0, 0), {66, 0, 0}},                           // modulo 256
    };
    for (const Case& c : cases) {
        const PixelArray p = Pixels(2, 2, {c.ul, c.u, c.l, c.pixel});
        std::uint8_t out[3];
        Predictor(c.method).encodeRow(p, 1, 1, 2, out);
        EXPECT_EQ(Bytes(out, out + 3), c.residual) << "method " << c.method;
        PixelArray decoded = Pixels(2, 2, {c.ul, c.u, c.l, 0xAB000000u});
        Predictor(c.method).decodeRow(decoded, 1, 1, 2, out);
        EXPECT_EQ(decoded.get(1, 1), (c.pixel & 0x00FFFFFFu) | 0xAB000000u) << "alpha untouched";
    }
}

} // namespace
} // namespace kv::test
