#pragma once
#include "model/Project.h"
#include "storage/project/ProjectRecords.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kv {

class ChunkReader;
class Image;
class Layer;
class Palette;

// Builds a new project from a project file. Every failure throws
// CKVException with the message the user sees; the half-built project is
// then dropped. Relaxed mode skips the version and count checks, replaces
// non-finite numbers and drops unknown image and layer kinds.
class ProjectReader {
  public:
    // Pixels the loader may allocate for one file (layers, supersampled
    // levels and composites together) before it gives up with "Insufficient
    // memory"; keeps a corrupt size field from claiming all memory.
    static constexpr std::uint64_t kDefaultPixelBudget = std::uint64_t{1} << 28;

    explicit ProjectReader(bool relaxed) : m_relaxed(relaxed) {}
    void setPixelBudget(std::uint64_t pixels) { m_pixelBudget = pixels; }
    // The version compared with a file's lowest version; the program's own by default.
    void setProgramVersion(std::uint32_t version) { m_programVersion = version; }

    std::unique_ptr<Project> readFile(const std::string& path);
    std::unique_ptr<Project> readMemory(const void* data, std::size_t size);
    // Reads from an open chunk reader in throwing mode.
    std::unique_ptr<Project> read(ChunkReader& reader);

  private:
    void readImage(ChunkReader& reader, Project& project);
    void readLayer(ChunkReader& reader, Image& image);
    void readLayerData(ChunkReader& reader, Layer& layer);
    void readPalette(ChunkReader& reader, Palette& palette);
    void spend(std::uint64_t pixels);

    bool m_relaxed;
    std::uint64_t m_pixelBudget = kDefaultPixelBudget;
    std::uint64_t m_pixelsUsed = 0;
    std::uint32_t m_programVersion = 0;
};

// The version this program compares files against: its own product version.
std::uint32_t ProjectProgramVersion();
// "This file should be opened by Korvane version <v> or later." plus the hint.
std::string NewerVersionMessage(std::uint32_t lowestVersion);

} // namespace kv
