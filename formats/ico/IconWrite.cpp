#include "Dib.h"
#include "IconCodec.h"
#include "Png.h"

#include <cstring>

namespace kvf {
namespace {

std::uint8_t DirectorySide(std::int32_t side) {
    return side >= kMaxIconSide ? 0 : std::uint8_t(side);
}

void WriteBitmapHeader(ByteWriter& w, const Raster& image, std::uint32_t imageBytes) {
    w.u32(kInfoHeaderSize);
    w.i32(image.width());
    w.i32(image.height() * 2); // the color bitmap and the AND bitmap
    w.u16(1);
    w.u16(image.bits());
    w.u32(kBiRgb);
    w.u32(imageBytes);
    w.zeros(16); // resolution, colors used (all), colors important
}

// Every entry of the palette its depth can address, unused ones black.
void WriteFullPalette(ByteWriter& w, const Raster& image) {
    for (std::size_t i = 0; i < (std::size_t{1} << image.bits()); ++i) {
        const Color c = i < image.palette.size() ? image.palette[i] : Color{0, 0, 0, 0};
        w.u8(c.b);
        w.u8(c.g);
        w.u8(c.r);
        w.u8(0);
    }
}

} // namespace

IconEntryData EncodeIconBitmap(const Raster& image, const Raster& visible) {
    const std::size_t stride = (std::size_t(image.width()) * image.bits() + 31) / 32 * 4;
    const std::size_t maskStride = (std::size_t(image.width()) + 31) / 32 * 4;
    const std::size_t rows = std::size_t(image.height());
    IconEntryData out;
    ByteWriter w(out.data);
    WriteBitmapHeader(w, image, std::uint32_t((stride + maskStride) * rows));
    if (image.bits() <= 8) WriteFullPalette(w, image);
    for (std::int32_t y = image.height() - 1; y >= 0; --y) {
        w.bytes(Bytes(image.row(y), image.rowBytes()));
        w.zeros(stride - image.rowBytes());
    }
    for (std::int32_t y = image.height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskStride, 0);
        for (std::int32_t x = 0; x < image.width(); ++x)
            if (!visible.index(x, y)) row[std::size_t(x) / 8] |= std::uint8_t(0x80u >> (x % 8));
        w.bytes(row);
    }
    out.entry.width = DirectorySide(image.width());
    out.entry.height = DirectorySide(image.height());
    out.entry.colorCount = image.bits() < 8 ? std::uint8_t(1u << image.bits()) : 0;
    out.entry.planes = 1;
    out.entry.bitCount = std::uint16_t(image.bits());
    return out;
}

IconEntryData EncodeIconPng(const Raster& rgba, float resolutionX, float resolutionY) {
    IconEntryData out;
    PngOutput png;
    png.image = &rgba;
    png.resolutionX = resolutionX;
    png.resolutionY = resolutionY;
    out.data = EncodePng(png);
    out.entry.width = DirectorySide(rgba.width());
    out.entry.height = DirectorySide(rgba.height());
    out.entry.planes = 1;
    out.entry.bitCount = 32;
    return out;
}

void SetHotspot(IconEntryData& entry, std::uint16_t x, std::uint16_t y) {
    entry.entry.planes = x;
    entry.entry.bitCount = y;
}

std::vector<std::uint8_t> WriteIconFile(std::uint16_t type, std::vector<IconEntryData> entries) {
    std::vector<std::uint8_t> file;
    ByteWriter w(file);
    w.u16(0);
    w.u16(type);
    w.u16(std::uint32_t(entries.size()));
    std::uint32_t offset = std::uint32_t(6 + 16 * entries.size());
    for (const IconEntryData& e : entries) {
        w.u8(e.entry.width);
        w.u8(e.entry.height);
        w.u8(e.entry.colorCount);
        w.u8(0);
        w.u16(e.entry.planes);
        w.u16(e.entry.bitCount);
        w.u32(std::uint32_t(e.data.size()));
        w.u32(offset);
        offset += std::uint32_t(e.data.size());
    }
    for (const IconEntryData& e : entries)
        w.bytes(e.data);
    return file;
}

} // namespace kvf
