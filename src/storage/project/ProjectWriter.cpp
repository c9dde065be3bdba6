#include "storage/project/ProjectWriter.h"

#include "model/Layer.h"
#include "model/Project.h"
#include "platform/ProcessValues.h"
#include "storage/chunks/ChunkWriter.h"
#include "storage/pictures/BitmapWriter.h"
#include "storage/project/ProjectRecords.h"
#include "storage/project/Thumbnail.h"

#include <bit>
#include <ctime>
#include <vector>

namespace kv {

std::string ProjectWriter::creatorText() {
    const std::uint32_t own =
        Process().productVersion ? Process().productVersion : ReadProductVersion();
    return "Korvane " + FormatVersion(own);
}

void ProjectWriter::write(ChunkWriter& writer, const Project& project) {
    CheckCompressionSetting(m_options.compression);
    writer.beginChunk(kTagProject);
    file::RootRecord root;
    root.secondVersion = kProjectSecondVersion;
    root.lowestVersion = kProjectFormatVersion;
    root.imageCount = project.imageCount();
    writer.writeRecord(&root, sizeof root);

    writer.beginChunk(kTagCreator);
    writer.writeString(creatorText());
    writer.endChunk();
    writeTime(writer);
    if (m_options.embedThumbnails) writeThumbnail(writer, project);
    for (std::int32_t i = 1; i <= project.imageCount(); ++i)
        writeImage(writer, project, *project.imageAt(static_cast<std::uint32_t>(i)));
    writer.endChunk();
}

void ProjectWriter::writeTime(ChunkWriter& writer) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const auto year = static_cast<std::uint16_t>(local.tm_year + 1900);
    const std::uint8_t time[8] = {0,
                                  static_cast<std::uint8_t>(year & 0xFF),
                                  static_cast<std::uint8_t>(year >> 8),
                                  static_cast<std::uint8_t>(local.tm_mon + 1),
                                  static_cast<std::uint8_t>(local.tm_mday),
                                  static_cast<std::uint8_t>(local.tm_hour),
                                  static_cast<std::uint8_t>(local.tm_min),
                                  static_cast<std::uint8_t>(local.tm_sec)};
    writer.beginChunk(kTagTime);
    writer.writeRecord(time, sizeof time);
    writer.endChunk();
}

void ProjectWriter::writeThumbnail(ChunkWriter& writer, const Project& project) {
    const Image* chosen = ChooseThumbnailImage(project, m_options.maxThumbnailSizeEx);
    if (!chosen) return;
    PixelArray thumbnail;
    MakeThumbnail(*chosen, m_options.maxThumbnailSize, thumbnail);
    writer.beginChunk(kTagThumbnail);
    const file::ThumbnailRecord record;
    writer.writeRecord(&record, sizeof record);
    BitmapWriter(writer, m_options.compression).write(thumbnail);
    writer.endChunk();
}

void ProjectWriter::writeImage(ChunkWriter& writer, const Project& project, const Image& image) {
    writer.beginChunk(kTagImage);
    file::ImageRecord record;
    record.flags = (project.currentImage() == &image ? file::ImageRecord::kCurrent : 0) |
                   (image.storedOption() ? file::ImageRecord::kStoredOption : 0) |
                   (image.paletteLocked() ? file::ImageRecord::kPaletteLocked : 0) |
                   (image.forExport() ? 0 : file::ImageRecord::kNotForExport);
    record.type = static_cast<std::int32_t>(kImageKind);
    record.id = static_cast<std::int32_t>(image.id());
    record.width = image.width();
    record.height = image.height();
    record.resolutionX = image.horizontalResolution();
    record.resolutionY = image.verticalResolution();
    record.targetFormat = static_cast<std::uint32_t>(image.targetFormat());
    record.layerCount = image.layerCount();
    writer.writeRecord(&record, sizeof record);
    if (image.paletteLocked() && image.palette()) writePalette(writer, *image.palette());
    for (std::int32_t i = 1; i <= image.layerCount(); ++i)
        writeLayer(writer, image, *image.layerAt(static_cast<std::uint32_t>(i)));
    writer.endChunk();
}

void ProjectWriter::writePalette(ChunkWriter& writer, const Palette& palette) {
    writer.beginChunk(kTagPalette);
    file::PaletteRecord record;
    record.count = palette.count();
    writer.writeRecord(&record, sizeof record);

    bool opaque = true;
    for (std::int32_t i = 0; i < palette.count(); ++i)
        opaque = opaque && palette.entry(i).a() == 255;
    file::PaletteDataRecord data;
    data.first = 0;
    data.count = palette.count();
    data.format = opaque ? 2 : 3;
    data.compression = 0;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(palette.count()) * 4);
    for (std::int32_t i = 0; i < palette.count(); ++i) {
        const PaletteEntry& e = palette.entry(i);
        if (!opaque) bytes.push_back(static_cast<std::uint8_t>(e.a()));
        bytes.push_back(static_cast<std::uint8_t>(e.r()));
        bytes.push_back(static_cast<std::uint8_t>(e.g()));
        bytes.push_back(static_cast<std::uint8_t>(e.b()));
    }
    writer.beginChunk(kTagData);
    writer.writeRecord(&data, sizeof data);
    writer.write(bytes.data(), bytes.size());
    writer.endChunk();
    writer.endChunk();
}

void ProjectWriter::writeLayer(ChunkWriter& writer, const Image& image, const LayerBase& layer) {
    writer.beginChunk(kTagLayer);
    file::LayerRecord record;
    record.flags = (image.currentLayer() == &layer ? file::LayerRecord::kCurrent : 0) |
                   (layer.visible() ? 0 : file::LayerRecord::kHidden);
    record.kind = static_cast<std::int32_t>(layer.kind());
    record.id = static_cast<std::int32_t>(layer.id());
    record.nameNumber = static_cast<std::int32_t>(layer.nameNumber());
    record.width = layer.width();
    record.height = layer.height();
    record.blendMode = static_cast<std::int32_t>(layer.blendMode());
    record.opacityBits = std::bit_cast<std::uint32_t>(layer.opacity());
    writer.writeRecord(&record, sizeof record);
    if (!layer.name().empty()) {
        writer.beginChunk(kTagName);
        writer.writeString(layer.name());
        writer.endChunk();
    }
    if (layer.kind() == LayerKind::Layer) {
        const auto& raster = static_cast<const Layer&>(layer);
        writer.beginChunk(kTagData);
        file::SamplingRecord sampling;
        sampling.sampling = raster.supersampled() ? kSamplingSuper : kSamplingPlain;
        writer.writeRecord(&sampling, sizeof sampling);
        BitmapWriter(writer, m_options.compression).write(raster.editablePixels());
        writer.endChunk();
    }
    writer.endChunk();
}

} // namespace kv
