#pragma once
// Device-independent bitmaps: the picture inside a BMP file and the bitmap
// entries of icons and cursors. Headers of every generation are read (OS/2
// core and 2.x, the 40-byte header and its 52, 56, 108 and 124-byte growths);
// pixels uncompressed at 1, 4, 8, 16, 24 and 32 bits, with bit fields, or
// run-length coded at 4 and 8 bits.
#include "ByteReader.h"
#include "Raster.h"

#include <array>
#include <cstdint>

namespace kvf {

enum DibCompression : std::uint32_t {
    kBiRgb = 0,
    kBiRle8 = 1,
    kBiRle4 = 2,
    kBiBitfields = 3,
    kBiJpeg = 4,
    kBiPng = 5,
    kBiAlphaBitfields = 6,
};

inline constexpr std::uint32_t kCoreHeaderSize = 12;
inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::uint32_t kV5HeaderSize = 124;

struct DibHeader {
    std::uint32_t headerSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0; // as stored: negative for rows top first
    std::uint32_t bits = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t imageSize = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;
    std::array<std::uint32_t, 4> masks{}; // red, green, blue, alpha
    bool alphaMaskGiven = false;          // the header names an alpha mask
    std::size_t paletteOffset = 0;        // from the header's start
    std::uint32_t paletteEntrySize = 4;
    std::uint32_t paletteCount = 0;

    bool topDown() const { return height < 0; }
    std::int32_t rows() const { return height < 0 ? -height : height; }
    bool indexed() const { return bits <= 8; }
    bool runLength() const { return compression == kBiRle8 || compression == kBiRle4; }
    // Bytes of one uncompressed row, padded to four.
    std::size_t stride() const { return (std::size_t(width) * bits + 31) / 32 * 4; }
    // Bytes from the header's start to where the palette ends.
    std::size_t headerAndPaletteBytes() const {
        return paletteOffset + std::size_t(paletteCount) * paletteEntrySize;
    }
};

// The header at `at`, checked for sizes, depths and compressions that fit
// together. The palette count is the stored one (or the full count); callers
// may shorten it to what the file holds.
DibHeader ReadDibHeader(const ByteReader& file, std::size_t at);

// The palette of an indexed bitmap whose header starts at `at`.
std::vector<Color> ReadDibPalette(const ByteReader& file, std::size_t at, const DibHeader& header);

// Pixels of the given number of rows from `data` (which may hold more).
// Indexed bitmaps come back with their palette. 16-bit and bit-field pixels
// come back as 32 bits; their alpha is 0 unless the header gives an alpha
// mask. For run-length bitmaps, `written` (when not null) receives a mask of
// the pixels the codes set; pixels they skip stay index 0.
Raster DecodeDibPixels(const DibHeader& header, Bytes data, std::int32_t rows,
                       std::vector<Color> palette, const Limits& limits, Raster* written);

// True when some pixel of a 32-bit raster has an alpha other than 0.
bool HasAnyAlpha(const Raster& image);
// Alpha 255 everywhere (a 32-bit raster whose fourth byte means nothing).
void MakeOpaque(Raster& image);
// A 24-bit copy of a 32-bit raster.
Raster DropAlpha(const Raster& image, const Limits& limits);

} // namespace kvf
