#pragma once
#include "storage/chunks/ChunkHeader.h"

#include <cstdint>

namespace kv {

// The fixed records of a project file, laid out as stored (little-endian
// host). Fields a reader must notice as missing start at -1.

inline constexpr std::uint32_t kTagProject = ChunkTag("KVP1");
inline constexpr std::uint32_t kTagCreator = ChunkTag("CREA");
inline constexpr std::uint32_t kTagTime = ChunkTag("TIME");
inline constexpr std::uint32_t kTagThumbnail = ChunkTag("THMB");
inline constexpr std::uint32_t kTagImage = ChunkTag("IMAG");
inline constexpr std::uint32_t kTagPalette = ChunkTag("PLTE");
inline constexpr std::uint32_t kTagLayer = ChunkTag("LAYR");
inline constexpr std::uint32_t kTagName = ChunkTag("NAME");
inline constexpr std::uint32_t kTagData = ChunkTag("DATA");
inline constexpr std::uint32_t kTagBitmap = ChunkTag("BMAP");
inline constexpr std::uint32_t kTagFill = ChunkTag("FILL");

// The lowest program version that reads what this program writes.
inline constexpr std::uint32_t kProjectFormatVersion = 0x00090601;
inline constexpr std::uint32_t kProjectSecondVersion = 0x01000000;

// The records have names of their own namespace: the undo history has
// layer and palette records of a different shape.
namespace file {

struct RootRecord {
    std::uint32_t reserved = 0;
    std::uint32_t secondVersion = 0;
    std::uint32_t lowestVersion = 0;
    std::int32_t imageCount = -1;
};

struct ImageRecord {
    static constexpr std::uint32_t kCurrent = 1;
    static constexpr std::uint32_t kStoredOption = 2;
    static constexpr std::uint32_t kPaletteLocked = 4;
    static constexpr std::uint32_t kNotForExport = 8;
    std::uint32_t flags = 0;
    std::int32_t type = 0;
    std::int32_t id = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    float resolutionX = 0;
    float resolutionY = 0;
    std::uint32_t targetFormat = 0;
    std::int32_t layerCount = -1;
};

struct PaletteRecord {
    std::int32_t reserved = 0;
    std::int32_t count = -1;
};

struct PaletteDataRecord {
    std::int32_t reserved = 0;
    std::int32_t first = 0;
    std::int32_t count = 0;
    std::int32_t format = 0;
    std::int32_t compression = -1;
};

struct LayerRecord {
    static constexpr std::uint32_t kCurrent = 1;
    static constexpr std::uint32_t kHidden = 2;
    std::uint32_t flags = 0;
    std::int32_t kind = 0;
    std::int32_t id = 0;
    std::int32_t nameNumber = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t zero1 = 0;
    std::int32_t zero2 = 0;
    std::int32_t blendMode = 0;
    std::uint32_t opacityBits = 0xFFFFFFFFu; // a float once read
};

struct SamplingRecord {
    std::int32_t reserved = 0;
    std::int32_t sampling = -1;
};

struct BitmapRecord {
    std::int32_t reserved = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t zero1 = 0;
    std::int32_t zero2 = 0;
    std::int32_t format = -1;
};

struct AreaRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct FillRecord {
    std::int32_t reserved = 0;
    AreaRect area;
    std::int32_t format = -1;
};

struct BitmapDataRecord {
    std::int32_t reserved = 0;
    AreaRect area;
    std::int32_t pixelFormat = 0;
    std::int32_t tileWidth = 0;
    std::int32_t tileHeight = 0;
    std::int32_t prediction = 0;
    std::int32_t compression = -1;
};

struct ThumbnailRecord {
    std::int32_t reserved = 0;
};

static_assert(sizeof(RootRecord) == 16);
static_assert(sizeof(ImageRecord) == 36);
static_assert(sizeof(PaletteRecord) == 8);
static_assert(sizeof(PaletteDataRecord) == 20);
static_assert(sizeof(LayerRecord) == 40);
static_assert(sizeof(SamplingRecord) == 8);
static_assert(sizeof(BitmapRecord) == 24);
static_assert(sizeof(FillRecord) == 24);
static_assert(sizeof(BitmapDataRecord) == 40);

} // namespace file

enum class BitmapPixelFormat : std::int32_t { Alpha = 1, Rgb = 2 };
inline constexpr std::int32_t kBitmapFormat32 = 3;
inline constexpr std::int32_t kSamplingPlain = 0;
inline constexpr std::int32_t kSamplingSuper = 3;

} // namespace kv
