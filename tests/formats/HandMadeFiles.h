#pragma once
// Files put together byte by byte, for the variants and damage that our
// own writers never produce.
#include "FormatTestSupport.h"

#include <array>
#include <functional>

namespace kv::test {

// A device-independent bitmap: header, masks, palette, pixel rows.
struct DibFields {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint32_t bits = 32;
    std::uint32_t headerSize = 40; // 12 (OS/2 core), 16 or 64 (OS/2 2.x), 40, 52, 56, 108, 124
    std::uint32_t compression = 0;
    bool topDown = false;
    std::uint32_t colorsUsed = 0;         // as written in the header
    std::vector<Color32> palette;         // entries written
    std::array<std::uint32_t, 4> masks{}; // written for bit fields and in larger headers
    std::function<std::uint32_t(std::int32_t, std::int32_t)>
        pixel;   // index, 16-bit value or Color32
    Bytes codes; // run-length pixel data instead of rows
};

// A BMP file of the bitmap, the pixels right after the palette.
Bytes BmpFile(const DibFields& fields);

// An icon entry: the bitmap at twice its height and an AND bitmap from `hidden`.
Bytes IconBitmapEntry(const DibFields& fields,
                      const std::function<bool(std::int32_t, std::int32_t)>& hidden);

struct IconFileEntry {
    std::uint8_t width = 0, height = 0, colorCount = 0;
    std::uint16_t planes = 1, bitCount = 0;
    Bytes data;
};
Bytes IconFile(std::uint16_t type, const std::vector<IconFileEntry>& entries);

// A PNG file through libpng: `rows` holds each row's packed samples.
struct PngFields {
    std::int32_t width = 1, height = 1;
    int bitDepth = 8;
    int colorType = 6; // PNG_COLOR_TYPE_*
    bool interlaced = false;
    std::vector<std::array<std::uint8_t, 4>> palette; // R, G, B, A (tRNS from the alphas)
    std::vector<std::uint16_t> transparent;           // tRNS for gray (1 value) or RGB (3)
    std::vector<Bytes> rows;
};
Bytes PngFile(const PngFields& fields);

} // namespace kv::test
