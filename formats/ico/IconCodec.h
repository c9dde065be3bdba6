#pragma once
// Icon (ICO) and cursor (CUR) files: a directory of entries, each a bitmap
// (a 40-byte header, the color bitmap and a 1-bit AND mask, together twice
// the image's height) or a PNG file.
#include "ByteReader.h"
#include "Raster.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kvf {

inline constexpr std::uint16_t kIconType = 1;
inline constexpr std::uint16_t kCursorType = 2;
inline constexpr std::int32_t kMaxIconSide = 256;

struct IconDirectoryEntry {
    std::uint8_t width = 0;  // 0 means 256
    std::uint8_t height = 0; // 0 means 256
    std::uint8_t colorCount = 0;
    std::uint16_t planes = 0;   // cursors: hotspot x
    std::uint16_t bitCount = 0; // cursors: hotspot y
    std::uint32_t size = 0;
    std::uint32_t offset = 0;
};

struct IconDirectory {
    std::uint16_t type = kIconType;
    std::vector<IconDirectoryEntry> entries;
};

// The header and directory, checked: reserved 0, type 1 or 2, at least one
// entry, the directory inside the file. Entries are checked when read.
IconDirectory ReadIconDirectory(Bytes file);

struct IconImage {
    Picture picture;
    std::uint32_t bits = 0; // as stored in the entry
    bool png = false;
    std::uint16_t hotspotX = 0; // cursors only
    std::uint16_t hotspotY = 0;
};

// Every entry in directory order. Sizes and depths come from the entries
// themselves; bitmap entries keep their palette and get a mask from the AND
// bitmap, except 32-bit entries with alpha, whose alpha decides.
std::vector<IconImage> DecodeIcon(Bytes file, const Limits& limits);

// One line per entry: "32 x 32, 8 bpp", "256 x 256, 32 bpp, PNG",
// "32 x 32, 1 bpp, hotspot 3, 4"; read from the entries' headers.
std::vector<std::string> DescribeIconEntries(Bytes file);

// ---- writing ----

struct IconEntryData {
    IconDirectoryEntry entry; // size and offset are filled in by the writer
    std::vector<std::uint8_t> data;
};

// A bitmap entry: `image` is 32 bits or 1, 4 or 8 bits with a palette (written
// in full), `visible` a 1-bit mask (1 = visible) that becomes the AND bitmap.
IconEntryData EncodeIconBitmap(const Raster& image, const Raster& visible);
// A PNG entry of a 32-bit picture.
IconEntryData EncodeIconPng(const Raster& rgba, float resolutionX, float resolutionY);
// Sets a cursor's hotspot in an entry.
void SetHotspot(IconEntryData& entry, std::uint16_t x, std::uint16_t y);
// Header, directory, then the entries' data one after another in order.
std::vector<std::uint8_t> WriteIconFile(std::uint16_t type, std::vector<IconEntryData> entries);

} // namespace kvf
