#pragma once
// PNG files through libpng, in memory.
#include "ByteReader.h"
#include "Raster.h"

#include <optional>
#include <vector>

namespace kvf {

bool IsPng(Bytes file);

struct PngInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t bitDepth = 0;
    std::uint32_t colorType = 0;
    std::uint32_t bits = 0; // bits per pixel as stored
    bool interlaced = false;
};
// The header chunk alone; fails unless the file starts like a PNG file.
PngInfo ReadPngInfo(Bytes file);

// Palette and gray files without alpha come back as indexed rasters (2 bits
// widened to 4, 16-bit gray narrowed to 8), color files as 24 bits (with a
// mask for a transparent color), anything with alpha as 32 bits.
// `checkSums` off skips the CRC and Adler-32 checks (for fuzzing).
Picture DecodePng(Bytes file, const Limits& limits, bool checkSums = true);

struct PngOutput {
    const Raster* image = nullptr;          // 1, 4, 8 bits with palette, 24 or 32 bits
    std::optional<Color> transparentColor;  // 24 bits: the color that stands for transparent
    float resolutionX = kDefaultResolution; // pixels per metre, kept in pHYs
    float resolutionY = kDefaultResolution;
};
// Palette files carry the palette's alpha in tRNS.
std::vector<std::uint8_t> EncodePng(const PngOutput& output);

} // namespace kvf
