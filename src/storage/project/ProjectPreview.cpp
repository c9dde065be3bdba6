#include "storage/project/ProjectPreview.h"

#include "platform/Exceptions.h"
#include "storage/chunks/ChunkReader.h"
#include "storage/pictures/BitmapReader.h"
#include "storage/project/ProjectRecords.h"

#include <algorithm>
#include <cstring>

namespace kv {
namespace {

// Larger preview bitmaps are refused rather than allocated.
constexpr std::uint64_t kMaxPreviewPixels = std::uint64_t{1} << 24;

bool ReadPreviewBitmap(ChunkReader& reader, PixelArray& picture) {
    BitmapReader bitmap(reader);
    const file::BitmapRecord record = bitmap.readRecord();
    if (record.format != kBitmapFormat32 || record.width < 1 || record.height < 1 ||
        std::uint64_t(record.width) * std::uint64_t(record.height) > kMaxPreviewPixels)
        return false;
    picture.setSize(record.width, record.height);
    if (picture.width() != record.width || picture.height() != record.height) return false;
    bitmap.readChildren(picture);
    return true;
}

// Walks down to the first "BMAP" child of the current chunk and decodes it.
bool ReadFirstBitmap(ChunkReader& reader, PixelArray& picture) {
    std::uint32_t tag = 0;
    while (!reader.atChunkEnd()) {
        reader.beginChunk(tag);
        if (tag == kTagBitmap) return ReadPreviewBitmap(reader, picture);
        reader.endChunk();
    }
    return false;
}

// A lone image with exactly one plain raster layer.
bool ReadSingleLayerBitmap(ChunkReader& reader, PixelArray& picture) {
    file::ImageRecord image;
    reader.readRecord(&image, sizeof image);
    if (image.layerCount != 1) return false;
    std::uint32_t tag = 0;
    while (!reader.atChunkEnd()) {
        reader.beginChunk(tag);
        if (tag == kTagLayer) {
            file::LayerRecord layer;
            reader.readRecord(&layer, sizeof layer);
            if (layer.opacityBits == 0xFFFFFFFFu || layer.kind != 1) return false;
            while (!reader.atChunkEnd()) {
                reader.beginChunk(tag);
                if (tag == kTagData) {
                    file::SamplingRecord sampling;
                    reader.readRecord(&sampling, sizeof sampling);
                    if (sampling.sampling != kSamplingPlain) return false;
                    return ReadFirstBitmap(reader, picture);
                }
                reader.endChunk();
            }
            return false;
        }
        reader.endChunk();
    }
    return false;
}

// Without a thumbnail only a project of one image shows that image: the
// first of several would misrepresent the file.
bool ReadPicture(ChunkReader& reader, std::int32_t imageCount, PixelArray& picture) {
    try {
        std::uint32_t tag = 0;
        while (!reader.atChunkEnd()) {
            reader.beginChunk(tag);
            if (tag == kTagThumbnail) {
                file::ThumbnailRecord record;
                reader.readRecord(&record, sizeof record);
                return ReadFirstBitmap(reader, picture);
            }
            if (tag == kTagImage) return imageCount == 1 && ReadSingleLayerBitmap(reader, picture);
            reader.endChunk();
        }
    } catch (const CKVException&) {
    }
    return false;
}

bool ReadPreview(ChunkReader& reader, bool wantPicture, ProjectPreview& preview) {
    preview = ProjectPreview{};
    try {
        std::uint32_t tag = 0;
        reader.beginChunk(tag);
        if (tag != kTagProject) return false;
        file::RootRecord root;
        reader.readRecord(&root, sizeof root);
        if (root.imageCount == -1) return false;
        preview.imageCount = root.imageCount;
    } catch (const CKVException&) {
        return false;
    }
    if (wantPicture) {
        preview.hasPicture = ReadPicture(reader, preview.imageCount, preview.picture);
        if (!preview.hasPicture) preview.picture.release();
    }
    return true;
}

} // namespace

bool ReadProjectPreview(const std::string& path, bool wantPicture, ProjectPreview& preview) {
    ChunkReader reader;
    reader.errors().setThrowOnError(true);
    try {
        reader.open(path);
    } catch (const CKVException&) {
        return false;
    }
    return ReadPreview(reader, wantPicture, preview);
}

bool ReadProjectPreviewMemory(const void* data, std::size_t size, bool wantPicture,
                              ProjectPreview& preview) {
    ChunkReader reader;
    reader.errors().setThrowOnError(true);
    try {
        reader.openMemory(data, size);
    } catch (const CKVException&) {
        return false;
    }
    return ReadPreview(reader, wantPicture, preview);
}

std::string ProjectDescriptionText(std::int32_t imageCount) {
    return "Korvane project\n" + std::to_string(imageCount) +
           (imageCount == 1 ? " image" : " images");
}

void WriteProjectDescription(std::int32_t imageCount, char* buffer, std::size_t size) {
    if (!buffer || size == 0) return;
    const std::string text = ProjectDescriptionText(imageCount);
    const std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

} // namespace kv
