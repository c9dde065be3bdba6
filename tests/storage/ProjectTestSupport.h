#pragma once
#include "model/Layer.h"
#include "model/Project.h"
#include "storage/ChunkHeader.h"
#include "storage/ChunkWriter.h"
#include "storage/ProjectWriter.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kv::test {

// Reproducible pictures, from smooth to noisy.
void PaintGradient(PixelArray& pixels, std::uint32_t seed, bool varyAlpha);
void PaintNoise(PixelArray& pixels, std::uint32_t seed);

// An image of the given size with `layers` painted layers (none current).
std::unique_ptr<Image> MakeImage(std::int32_t width, std::int32_t height, int layers,
                                 std::uint32_t seed);
// Appends a plain layer holding a copy of `pixels`.
Layer* AddLayer(Image& image, const PixelArray& pixels);

// Writes a project into memory; throws CKVException on failure.
std::vector<std::uint8_t> SaveToMemory(const Project& project, const ProjectWriterOptions& options);
std::vector<std::uint8_t> SaveToMemory(const Project& project, int compression);
// Reads a project from memory; the message of a failure is returned in `error`.
std::unique_ptr<Project> LoadFromMemory(const std::vector<std::uint8_t>& bytes, bool relaxed,
                                        std::string* error = nullptr);

// Everything a project file keeps, compared field by field with gtest
// expectations naming the image and layer.
void ExpectSameProject(const Project& expected, const Project& actual);
void ExpectSamePixels(const PixelArray& expected, const PixelArray& actual, const std::string& what);

// A chunk writer into memory in throwing mode, for files built by hand.
struct MemoryChunkFile {
    MemoryChunkFile();
    std::vector<std::uint8_t> bytes;
    ChunkWriter writer;
    std::vector<std::uint8_t>& finish();
};

// The sequence of chunk tags of a file, depth-first, indented by depth
// ("KVP1", " CREA", ...).
std::vector<std::string> ChunkOutline(const std::vector<std::uint8_t>& bytes);

} // namespace kv::test
