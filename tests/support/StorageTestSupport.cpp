#include "support/StorageTestSupport.h"

#include "platform/Exceptions.h"
#include "storage/chunks/ChunkReader.h"
#include "storage/project/ProjectReader.h"
#include "storage/stream/QzHandle.h"
#include "storage/stream/QzInterface.h"
#include "storage/stream/QzStream.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <random>
#include <tuple>

namespace kv::test {

Bytes Compress(QzMethod method, const Bytes& data) {
    Bytes out;
    QzHandle* h = QzOpenMemoryForWriting(out);
    EXPECT_EQ(QzBeginCodec(h, method), QzError::None);
    std::size_t transferred = 0;
    EXPECT_EQ(QzWrite(h, data.data(), data.size(), &transferred), QzError::None);
    EXPECT_EQ(transferred, data.size());
    EXPECT_EQ(QzEndCodec(h), QzError::None);
    EXPECT_EQ(QzClose(h), QzError::None);
    return out;
}

Decoded Decompress(QzMethod method, const Bytes& compressed, std::size_t limit, std::size_t piece) {
    Decoded result;
    QzHandle* h = QzOpenMemoryForReading(compressed.data(), compressed.size());
    result.error = QzBeginCodec(h, method);
    Bytes buffer(piece);
    while (result.bytes.size() < limit) {
        std::size_t got = 0;
        const QzError error = QzRead(h, buffer.data(), piece, &got);
        if (result.error == QzError::None) result.error = error;
        result.bytes.insert(result.bytes.end(), buffer.begin(), buffer.begin() + got);
        if (got < piece) break;
    }
    result.atEnd = QzAtEnd(h);
    result.consumed = h->top()->lower() ? h->top()->lower()->tell() : 0;
    QzClose(h);
    return result;
}

Bytes RandomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes out(size);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(rng());
    return out;
}

Bytes ResidualLike(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::geometric_distribution<int> magnitude(0.55);
    Bytes out(size);
    for (auto& b : out) {
        const int m = std::min(magnitude(rng), 127);
        b = static_cast<std::uint8_t>((rng() & 1) ? m : -m);
    }
    return out;
}

Bytes PackCodes(const std::vector<std::pair<unsigned, unsigned>>& codesAndWidths) {
    Bytes out;
    std::uint64_t bits = 0;
    unsigned count = 0;
    for (const auto& [code, width] : codesAndWidths) {
        bits = bits << width | code;
        count += width;
        while (count >= 8) {
            count -= 8;
            out.push_back(static_cast<std::uint8_t>(bits >> count));
        }
    }
    if (count > 0) out.push_back(static_cast<std::uint8_t>(bits << (8 - count)));
    return out;
}

namespace {

// One chunk and, for chunks with children, its children.
void Outline(ChunkReader& reader, std::uint32_t parentTag, int depth,
             std::vector<std::string>& out) {
    std::uint32_t tag = 0;
    reader.beginChunk(tag);
    std::string name(static_cast<std::size_t>(depth), ' ');
    for (int shift = 24; shift >= 0; shift -= 8)
        name += static_cast<char>((tag >> shift) & 0xFF);
    out.push_back(name);
    // Chunks with children start with a record, skipped through a scratch buffer.
    static const std::uint32_t parents[] = {ChunkTag("KVP1"), ChunkTag("IMAG"), ChunkTag("LAYR"),
                                            ChunkTag("BMAP"), ChunkTag("THMB"), ChunkTag("PLTE")};
    bool parent = tag == ChunkTag("DATA") && parentTag == ChunkTag("LAYR");
    for (std::uint32_t p : parents)
        parent = parent || p == tag;
    if (parent) {
        std::uint8_t scratch[256];
        reader.readRecord(scratch, sizeof scratch);
        while (!reader.atChunkEnd())
            Outline(reader, tag, depth + 1, out);
    }
    reader.endChunk();
}

} // namespace

void PaintGradient(PixelArray& pixels, std::uint32_t seed, bool varyAlpha) {
    for (std::int32_t y = 0; y < pixels.height(); ++y)
        for (std::int32_t x = 0; x < pixels.width(); ++x) {
            const unsigned a = varyAlpha ? static_cast<unsigned>(x * 7 + y * 3 + seed) & 0xFF : 255;
            pixels.set(x, y,
                       MakeColor32(static_cast<unsigned>(x * 4 + seed),
                                   static_cast<unsigned>(y * 5),
                                   static_cast<unsigned>((x + y) * 3 + seed * 7), a));
        }
}

void PaintNoise(PixelArray& pixels, std::uint32_t seed) {
    std::mt19937 rng(seed);
    for (std::int32_t y = 0; y < pixels.height(); ++y)
        for (std::int32_t x = 0; x < pixels.width(); ++x)
            pixels.set(x, y, static_cast<Color32>(rng()));
}

std::unique_ptr<Image> MakeImage(std::int32_t width, std::int32_t height, int layers,
                                 std::uint32_t seed) {
    auto image = std::make_unique<Image>();
    image->lockUpdates();
    image->setSize(width, height);
    image->setTargetFormat(TargetFormat::Rgba32);
    for (int i = 0; i < layers; ++i) {
        PixelArray pixels(width, height);
        if (i % 2 == 0)
            PaintGradient(pixels, seed + static_cast<std::uint32_t>(i), i > 0);
        else
            PaintNoise(pixels, seed + static_cast<std::uint32_t>(i));
        AddLayer(*image, pixels);
    }
    image->unlockUpdates();
    return image;
}

Layer* AddLayer(Image& image, const PixelArray& pixels) {
    auto layer = std::make_unique<Layer>();
    layer->setSize(pixels.width(), pixels.height());
    CopyRaster(layer->pixels(), 0, 0, pixels, 0, 0, pixels.width(), pixels.height());
    return static_cast<Layer*>(image.insertLayer(std::move(layer)));
}

Bytes SaveToMemory(const Project& project, const ProjectWriterOptions& options) {
    MemoryChunkFile file;
    ProjectWriter(options).write(file.writer, project);
    return file.finish();
}

std::unique_ptr<Project> LoadFromMemory(const Bytes& bytes, bool relaxed, std::string* error) {
    try {
        return ProjectReader(relaxed).readMemory(bytes.data(), bytes.size());
    } catch (const CKVException& e) {
        if (error) *error = e.message();
    }
    return nullptr;
}

void ExpectSamePixels(const PixelArray& expected, const PixelArray& actual,
                      const std::string& what) {
    ASSERT_EQ(expected.width(), actual.width()) << what;
    ASSERT_EQ(expected.height(), actual.height()) << what;
    for (std::int32_t y = 0; y < expected.height(); ++y)
        for (std::int32_t x = 0; x < expected.width(); ++x)
            if (expected.get(x, y) != actual.get(x, y)) {
                ADD_FAILURE() << what << " differs first at (" << x << ", " << y
                              << "): " << std::hex << expected.get(x, y) << " vs "
                              << actual.get(x, y);
                return;
            }
}

void ExpectSameProject(const Project& expected, const Project& actual) {
    // Floats are compared by their bits: the file keeps them exactly.
    const auto bits = [](float f) { return std::bit_cast<std::uint32_t>(f); };
    const auto imageFields = [&](const Project& p, const Image& i) {
        return std::tuple(i.id(), i.width(), i.height(), bits(i.horizontalResolution()),
                          bits(i.verticalResolution()), i.targetFormat(), i.storedOption(),
                          i.paletteLocked(), i.forExport(), p.currentImage() == &i);
    };
    const auto layerFields = [&](const Image& i, const Layer& l) {
        return std::tuple(l.id(), l.nameNumber(), l.name(), l.visible(), l.blendMode(),
                          bits(l.opacity()), l.supersampled(), i.currentLayer() == &l);
    };
    ASSERT_EQ(expected.imageCount(), actual.imageCount());
    for (std::int32_t i = 1; i <= expected.imageCount(); ++i) {
        const Image& a = *expected.imageAt(static_cast<std::uint32_t>(i));
        const Image& b = *actual.imageAt(static_cast<std::uint32_t>(i));
        const std::string where = "image " + std::to_string(i);
        EXPECT_EQ(imageFields(expected, a), imageFields(actual, b)) << where;
        ASSERT_EQ(a.palette() != nullptr, b.palette() != nullptr) << where;
        if (a.palette() && a.paletteLocked()) {
            ASSERT_EQ(a.palette()->count(), b.palette()->count()) << where;
            for (std::int32_t e = 0; e < a.palette()->count(); ++e)
                EXPECT_EQ(a.palette()->entry(e).color(), b.palette()->entry(e).color())
                    << where << " entry " << e;
        }
        ExpectSamePixels(a.composite(), b.composite(), where + " composite");
        ASSERT_EQ(a.layerCount(), b.layerCount()) << where;
        for (std::int32_t l = 1; l <= a.layerCount(); ++l) {
            const auto& la = static_cast<const Layer&>(*a.layerAt(static_cast<std::uint32_t>(l)));
            const auto& lb = static_cast<const Layer&>(*b.layerAt(static_cast<std::uint32_t>(l)));
            const std::string lw = where + " layer " + std::to_string(l);
            EXPECT_EQ(layerFields(a, la), layerFields(b, lb)) << lw;
            ExpectSamePixels(la.pixels(), lb.pixels(), lw);
            if (la.supersampled() && lb.supersampled())
                ExpectSamePixels(la.supersampleSet()->detail(), lb.supersampleSet()->detail(),
                                 lw + " 8x");
        }
    }
}

MemoryChunkFile::MemoryChunkFile() {
    writer.errors().setThrowOnError(true);
    writer.openMemory(bytes);
}

Bytes& MemoryChunkFile::finish() {
    writer.close();
    return bytes;
}

std::vector<std::string> ChunkOutline(const Bytes& bytes) {
    ChunkReader reader;
    reader.errors().setThrowOnError(true);
    reader.openMemory(bytes.data(), bytes.size());
    std::vector<std::string> out;
    Outline(reader, 0, 0, out);
    return out;
}

} // namespace kv::test
