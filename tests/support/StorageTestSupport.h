#pragma once
#include "model/Layer.h"
#include "model/Project.h"
#include "storage/chunks/ChunkHeader.h"
#include "storage/chunks/ChunkWriter.h"
#include "storage/project/ProjectWriter.h"
#include "storage/stream/QzError.h"
#include "support/TempXdgHome.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kv::test {

using Bytes = std::vector<std::uint8_t>;

// One compressed section written through the interface into memory.
Bytes Compress(QzMethod method, const Bytes& data);

struct Decoded {
    Bytes bytes;
    QzError error = QzError::None; // the first one, from starting the decoder or a read
    bool atEnd = false;            // the decoder's end flag after reading
    std::int64_t consumed = 0;     // compressed bytes the decoder took
};
// Decodes a section, asking for up to `limit` bytes in reads of `piece`.
Decoded Decompress(QzMethod method, const Bytes& compressed, std::size_t limit = 1 << 24,
                   std::size_t piece = 4096);

// Reproducible test data.
Bytes RandomBytes(std::size_t size, std::uint32_t seed);
// Smooth, mostly small values, like the residuals of an icon's color planes.
Bytes ResidualLike(std::size_t size, std::uint32_t seed);

// Packs codes most significant bit first with the given widths.
Bytes PackCodes(const std::vector<std::pair<unsigned, unsigned>>& codesAndWidths);

// A temporary folder, removed with its contents.
struct TempDir : TempXdgHome {
    std::string file(const std::string& name) const { return home() + "/" + name; }
};

// Reproducible pictures, from smooth to noisy.
void PaintGradient(PixelArray& pixels, std::uint32_t seed, bool varyAlpha);
void PaintNoise(PixelArray& pixels, std::uint32_t seed);

// An image of the given size with `layers` painted layers (none current).
std::unique_ptr<Image> MakeImage(std::int32_t width, std::int32_t height, int layers,
                                 std::uint32_t seed);
// Appends a plain layer holding a copy of `pixels`.
Layer* AddLayer(Image& image, const PixelArray& pixels);

// Writes a project into memory; throws CKVException on failure.
Bytes SaveToMemory(const Project& project, const ProjectWriterOptions& options);
// Reads a project from memory; the message of a failure is returned in `error`.
std::unique_ptr<Project> LoadFromMemory(const Bytes& bytes, bool relaxed,
                                        std::string* error = nullptr);

// Everything a project file keeps, compared field by field with gtest
// expectations naming the image and layer.
void ExpectSameProject(const Project& expected, const Project& actual);
void ExpectSamePixels(const PixelArray& expected, const PixelArray& actual,
                      const std::string& what);

// A chunk writer into memory in throwing mode, for files built by hand.
struct MemoryChunkFile {
    MemoryChunkFile();
    Bytes bytes;
    ChunkWriter writer;
    Bytes& finish();
};

// The sequence of chunk tags of a file, depth-first, indented by depth
// ("KVP1", " CREA", ...).
std::vector<std::string> ChunkOutline(const Bytes& bytes);

} // namespace kv::test
