#include "storage/project/ProjectReader.h"

#include "platform/BuildVersion.h"

#include "model/Layer.h"
#include "model/ModelTypes.h"
#include "platform/Exceptions.h"
#include "platform/ProcessValues.h"
#include "storage/chunks/ChunkReader.h"
#include "storage/pictures/BitmapReader.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <new>

namespace kv {
namespace {

[[noreturn]] void Fail(const char* message) {
    throw CKVException(message);
}

// A stored image may have no target format yet.
bool KnownTargetFormat(std::uint32_t code) {
    const auto format = static_cast<TargetFormat>(code);
    return format == TargetFormat::None || TargetFormatName(format);
}

template <typename T> std::unique_ptr<T> CreateOrFail() {
    std::unique_ptr<T> object(new (std::nothrow) T);
    if (!object) Fail("Insufficient memory");
    return object;
}

// Palette formats hold at most 256 colors; anything far above is corrupt.
constexpr std::int32_t kMaxPaletteEntries = 65536;

} // namespace

// Files this program writes name the format's version as the lowest that
// can open them, so the program itself must be at least that version.
static_assert(PackVersion(KORVANE_VERSION_MAJOR, KORVANE_VERSION_MINOR, KORVANE_VERSION_PATCH + 0,
                          KORVANE_VERSION_TWEAK + 0) >= kProjectFormatVersion,
              "the product version is below the project format's version");

std::uint32_t ProjectProgramVersion() {
    return Process().productVersion ? Process().productVersion : ReadProductVersion();
}

std::string NewerVersionMessage(std::uint32_t lowestVersion) {
    return "This file should be opened by Korvane version\u00A0" + FormatVersion(lowestVersion) +
           "\u00A0or later.\nTry to enable relaxed integrity checks";
}

std::unique_ptr<Project> ProjectReader::readFile(const std::string& path) {
    ChunkReader reader;
    reader.errors().setThrowOnError(true);
    reader.open(path);
    return read(reader);
}

std::unique_ptr<Project> ProjectReader::readMemory(const void* data, std::size_t size) {
    ChunkReader reader;
    reader.errors().setThrowOnError(true);
    reader.openMemory(data, size);
    return read(reader);
}

void ProjectReader::spend(std::uint64_t pixels) {
    if (pixels > m_pixelBudget - m_pixelsUsed) Fail("Insufficient memory");
    m_pixelsUsed += pixels;
}

std::unique_ptr<Project> ProjectReader::read(ChunkReader& reader) {
    m_pixelsUsed = 0;
    std::uint32_t tag = 0;
    reader.beginChunk(tag);
    if (tag != kTagProject) Fail("Unknown file format");
    file::RootRecord root;
    reader.readRecord(&root, sizeof root);
    if (root.imageCount == -1) Fail("Invalid data");
    const std::uint32_t version = m_programVersion ? m_programVersion : ProjectProgramVersion();
    if (!m_relaxed && root.lowestVersion > version)
        throw CKVException(NewerVersionMessage(root.lowestVersion));

    std::unique_ptr<Project> project = CreateOrFail<Project>();
    while (!reader.atChunkEnd()) {
        reader.beginChunk(tag);
        if (tag == kTagImage) readImage(reader, *project);
        reader.endChunk();
    }
    if (!m_relaxed && project->imageCount() != root.imageCount) Fail("Project is corrupted");
    reader.endChunk();
    reader.close();
    return project;
}

void ProjectReader::readImage(ChunkReader& reader, Project& project) {
    file::ImageRecord record;
    reader.readRecord(&record, sizeof record);
    if (record.layerCount == -1 || record.width < 1 || record.height < 1) Fail("Invalid data");
    float resolution[2] = {record.resolutionX, record.resolutionY};
    for (float& r : resolution) {
        if (std::isfinite(r)) continue;
        if (!m_relaxed) Fail("Invalid data");
        r = kDefaultResolution;
    }
    if (!KnownTargetFormat(record.targetFormat)) Fail("Unknown target format");
    if (record.type != static_cast<std::int32_t>(kImageKind)) {
        if (m_relaxed) return;
        Fail("Unknown image type");
    }
    // The composite, its caches and a preview live as long as the image.
    spend(std::uint64_t{4} * static_cast<std::uint64_t>(record.width) *
          static_cast<std::uint64_t>(record.height));

    std::unique_ptr<Image> image = CreateOrFail<Image>();
    image->lockUpdates();
    image->setId(static_cast<std::uint32_t>(record.id));
    image->setSize(record.width, record.height);
    if (image->composite().width() != record.width) Fail("Insufficient memory");
    image->setResolution(resolution[0], resolution[1]);
    image->setTargetFormat(static_cast<TargetFormat>(record.targetFormat));
    image->setStoredOption((record.flags & file::ImageRecord::kStoredOption) != 0);
    image->setPaletteLocked((record.flags & file::ImageRecord::kPaletteLocked) != 0);
    image->setForExport((record.flags & file::ImageRecord::kNotForExport) == 0);

    std::uint32_t tag = 0;
    while (!reader.atChunkEnd()) {
        reader.beginChunk(tag);
        if (tag == kTagLayer)
            readLayer(reader, *image);
        else if (tag == kTagPalette && image->palette())
            readPalette(reader, *image->palette());
        reader.endChunk();
    }
    if (!m_relaxed && image->layerCount() != record.layerCount) Fail("Image is corrupted");
    image->unlockUpdates();
    if (image->palette()) image->palette()->discardLookup();
    Image* added = project.addImage(std::move(image));
    if (record.flags & file::ImageRecord::kCurrent) project.setCurrentImage(added);
}

void ProjectReader::readLayer(ChunkReader& reader, Image& image) {
    file::LayerRecord record;
    reader.readRecord(&record, sizeof record);
    if (record.opacityBits == 0xFFFFFFFFu) Fail("Invalid data");
    if (record.width != image.width() || record.height != image.height() || record.zero1 != 0 ||
        record.zero2 != 0)
        Fail("Invalid data");
    if (record.blendMode != 1 && record.blendMode != 2) Fail("Unknown blend mode");
    float opacity = std::bit_cast<float>(record.opacityBits);
    if (!std::isfinite(opacity)) {
        if (!m_relaxed) Fail("Invalid data");
        opacity = 0.0f;
    }
    if (record.kind != static_cast<std::int32_t>(LayerKind::Layer)) {
        if (m_relaxed) return;
        Fail("Unknown layer type");
    }
    spend(static_cast<std::uint64_t>(record.width) * static_cast<std::uint64_t>(record.height));

    std::unique_ptr<Layer> layer = CreateOrFail<Layer>();
    layer->setId(static_cast<std::uint32_t>(record.id));
    layer->setNameNumber(static_cast<std::uint32_t>(record.nameNumber));
    layer->setSize(record.width, record.height);
    if (layer->pixels().width() != record.width) Fail("Insufficient memory");
    layer->setBlendMode(static_cast<BlendMode>(record.blendMode));
    layer->setOpacity(opacity);
    layer->setVisible((record.flags & file::LayerRecord::kHidden) == 0);

    std::uint32_t tag = 0;
    while (!reader.atChunkEnd()) {
        reader.beginChunk(tag);
        if (tag == kTagName) {
            std::string name;
            reader.readString(name);
            layer->setName(std::move(name));
        } else if (tag == kTagData) {
            readLayerData(reader, *layer);
        }
        reader.endChunk();
    }
    LayerBase* inserted = image.insertLayer(std::move(layer));
    if (record.flags & file::LayerRecord::kCurrent) image.setCurrentLayer(inserted);
}

void ProjectReader::readLayerData(ChunkReader& reader, Layer& layer) {
    file::SamplingRecord record;
    reader.readRecord(&record, sizeof record);
    if (record.sampling != kSamplingPlain && record.sampling != kSamplingSuper)
        Fail("Invalid data");
    if (record.sampling == kSamplingSuper && !layer.supersampled()) {
        // The 2x, 4x and 8x levels: 84 times the layer's pixels.
        spend(std::uint64_t{84} * static_cast<std::uint64_t>(layer.width()) *
              static_cast<std::uint64_t>(layer.height()));
        layer.setSupersampled(true);
        if (!layer.supersampled() || layer.supersampleSet()->detail().width() != layer.width() * 8)
            Fail("Insufficient memory");
    }
    const bool super = record.sampling == kSamplingSuper;
    PixelArray& target = super ? layer.supersampleSet()->detail() : layer.pixels();
    std::uint32_t tag = 0;
    while (!reader.atChunkEnd()) {
        reader.beginChunk(tag);
        if (tag == kTagBitmap) {
            BitmapReader(reader).read(target);
            if (super) layer.refreshFromDetail(nullptr);
        }
        reader.endChunk();
    }
}

void ProjectReader::readPalette(ChunkReader& reader, Palette& palette) {
    file::PaletteRecord record;
    reader.readRecord(&record, sizeof record);
    if (record.count < 0 || record.count > kMaxPaletteEntries) Fail("Invalid data");
    if (!palette.setCount(record.count) || palette.count() != record.count)
        Fail("Insufficient memory");
    for (std::int32_t i = 0; i < record.count; ++i)
        palette.entry(i).setArgb(255, 0, 0, 0);

    std::uint32_t tag = 0;
    std::vector<std::uint8_t> bytes;
    while (!reader.atChunkEnd()) {
        reader.beginChunk(tag);
        if (tag == kTagData) {
            file::PaletteDataRecord data;
            reader.readRecord(&data, sizeof data);
            if (data.compression == -1 || data.first < 0 || data.count < 0 ||
                std::int64_t{data.first} + data.count > palette.count())
                Fail("Invalid data");
            if (data.count > 0) {
                if (data.format != 2 && data.format != 3) Fail("Unknown palette format");
                const std::size_t size =
                    static_cast<std::size_t>(data.count) * (data.format == 2 ? 3 : 4);
                bytes.resize(size);
                if (data.compression != 0)
                    reader.beginDecompression(StoredFileCompression(data.compression));
                reader.read(bytes.data(), size);
                if (data.compression != 0) reader.endDecompression();
                const std::uint8_t* p = bytes.data();
                for (std::int32_t i = 0; i < data.count; ++i) {
                    PaletteEntry& entry = palette.entry(data.first + i);
                    if (data.format == 2) {
                        entry.setArgb(255, p[0], p[1], p[2]);
                        p += 3;
                    } else {
                        entry.setArgb(p[0], p[1], p[2], p[3]);
                        p += 4;
                    }
                }
            }
        }
        reader.endChunk();
    }
}

} // namespace kv
