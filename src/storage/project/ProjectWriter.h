#pragma once
#include "storage/project/CompressionLevel.h"

#include <cstdint>
#include <string>

namespace kv {

class ChunkWriter;
class Image;
class LayerBase;
class Palette;
class Project;

struct ProjectWriterOptions {
    CompressionLevel compression = CompressionLevel::Fast;
    bool embedThumbnails = true;
    std::int32_t maxThumbnailSize = 256;
    std::int32_t maxThumbnailSizeEx = 1024;
};

// Writes a whole project as one chunk tree. Failures throw CKVException; the
// chunk writer must be open and in throwing mode.
class ProjectWriter {
  public:
    explicit ProjectWriter(const ProjectWriterOptions& options) : m_options(options) {}
    void write(ChunkWriter& writer, const Project& project);
    // The creator text: "Korvane " and the program version.
    static std::string creatorText();

  private:
    void writeTime(ChunkWriter& writer);
    void writeThumbnail(ChunkWriter& writer, const Project& project);
    void writeImage(ChunkWriter& writer, const Project& project, const Image& image);
    void writePalette(ChunkWriter& writer, const Palette& palette);
    void writeLayer(ChunkWriter& writer, const Image& image, const LayerBase& layer);

    ProjectWriterOptions m_options;
};

} // namespace kv
