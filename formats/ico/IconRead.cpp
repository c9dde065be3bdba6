#include "Dib.h"
#include "IconCodec.h"
#include "Png.h"

#include <algorithm>

namespace kvf {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

std::size_t MaskStride(std::int32_t width) {
    return (std::size_t(width) + 31) / 32 * 4;
}

std::int32_t DirectorySide(std::uint8_t value) {
    return value ? value : 256;
}

// Stored heights are doubled for the AND bitmap. A few writers store the
// plain height; their entries agree with the directory and hold a full color
// bitmap and AND bitmap of that height.
std::int32_t EntryRows(const DibHeader& h, const IconDirectoryEntry& e, std::size_t declared) {
    const std::int32_t stored = h.rows();
    if (stored % 2) return stored;
    const std::size_t plain =
        h.headerAndPaletteBytes() + (h.stride() + MaskStride(h.width)) * std::size_t(stored);
    if (!h.runLength() && stored == DirectorySide(e.height) && declared >= plain) return stored;
    return stored / 2;
}

// The AND bitmap as a visibility mask; rows or bytes missing from a short
// entry count as visible.
Raster ReadAndMask(Bytes declared, std::size_t at, const DibHeader& h, std::int32_t rows,
                   const Limits& limits) {
    Raster visible = VisibleMask(h.width, rows, limits);
    const std::size_t stride = MaskStride(h.width);
    for (std::int32_t i = 0; i < rows; ++i) {
        const std::int32_t y = h.topDown() ? i : rows - 1 - i;
        const std::size_t rowAt = at + std::size_t(i) * stride;
        if (rowAt >= declared.size()) break;
        for (std::int32_t x = 0; x < h.width; ++x) {
            const std::size_t byte = rowAt + std::size_t(x) / 8;
            if (byte >= declared.size()) break;
            if ((declared[byte] >> (7 - x % 8)) & 1) visible.setIndex(x, y, 0);
        }
    }
    return visible;
}

void ApplyVisibilityAsAlpha(Raster& image, const Raster& visible) {
    for (std::int32_t y = 0; y < image.height(); ++y)
        for (std::int32_t x = 0; x < image.width(); ++x)
            image.row(y)[4 * x + 3] = visible.index(x, y) ? 255 : 0;
}

// 32-bit entries with alpha keep it; a 32-bit entry whose alpha is all zero
// takes it from the AND bitmap; every other entry carries the AND bitmap as
// its mask.
Picture EntryPicture(Raster image, Raster visible, std::uint32_t storedBits, const Limits& limits) {
    Picture p;
    if (image.bits() == 32 && storedBits == 32) {
        if (!HasAnyAlpha(image)) ApplyVisibilityAsAlpha(image, visible);
        p.image = std::move(image);
        return p;
    }
    p.image = image.bits() == 32 ? DropAlpha(image, limits) : std::move(image);
    if (!visible.empty() && HidesAnything(visible)) p.mask = std::move(visible);
    return p;
}

IconImage DecodeBitmapEntry(Bytes declared, Bytes rest, const IconDirectoryEntry& e,
                            const Limits& limits) {
    const ByteReader r(rest);
    const DibHeader h = ReadDibHeader(r, 0);
    const std::int32_t rows = EntryRows(h, e, declared.size());
    std::vector<Color> palette = h.indexed() ? ReadDibPalette(r, 0, h) : std::vector<Color>();
    const std::size_t pixelsAt = h.headerAndPaletteBytes();
    Raster holes;
    Raster image = DecodeDibPixels(h, r.from(pixelsAt), rows, std::move(palette), limits,
                                   h.runLength() ? &holes : nullptr);
    Raster visible =
        h.runLength()
            ? std::move(holes)
            : ReadAndMask(declared, pixelsAt + h.stride() * std::size_t(rows), h, rows, limits);
    if (visible.empty()) visible = VisibleMask(image.width(), image.height(), limits);
    IconImage out;
    out.bits = h.bits;
    out.picture = EntryPicture(std::move(image), std::move(visible), h.bits, limits);
    return out;
}

IconImage DecodePngEntry(Bytes rest, const Limits& limits) {
    IconImage out;
    out.picture = DecodePng(rest, limits);
    out.picture.resolutionX = out.picture.resolutionY = kDefaultResolution;
    out.bits = out.picture.fileBits;
    out.png = true;
    return out;
}

// The entry's bytes as the directory declares them (cut at the file's end;
// a size of 0 means up to the end), and everything from its start, which a
// color bitmap larger than declared may use.
void EntryBytes(Bytes file, const IconDirectoryEntry& e, Bytes& declared, Bytes& rest) {
    const std::size_t dataStart = kHeaderSize + kEntrySize * ByteReader(file).u16(4);
    if (e.offset < dataStart) Fail(kDamaged);
    if (e.offset >= file.size()) Fail(kTruncated);
    rest = file.subspan(e.offset);
    declared = e.size && e.size <= rest.size() ? rest.first(e.size) : rest;
}

} // namespace

IconDirectory ReadIconDirectory(Bytes file) {
    const ByteReader r(file);
    IconDirectory d;
    d.type = r.u16(2);
    const std::size_t count = r.u16(4);
    if (r.u16(0) != 0 || (d.type != kIconType && d.type != kCursorType) || count == 0)
        Fail(kDamaged);
    const std::size_t dataStart = kHeaderSize + kEntrySize * count;
    if (!r.holds(0, dataStart)) Fail(kTruncated);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + kEntrySize * i;
        IconDirectoryEntry e;
        e.width = r.u8(at);
        e.height = r.u8(at + 1);
        e.colorCount = r.u8(at + 2);
        e.planes = r.u16(at + 4);
        e.bitCount = r.u16(at + 6);
        e.size = r.u32(at + 8);
        e.offset = r.u32(at + 12);
        d.entries.push_back(e);
    }
    return d;
}

std::vector<IconImage> DecodeIcon(Bytes file, const Limits& limits) {
    const IconDirectory d = ReadIconDirectory(file);
    std::vector<IconImage> images;
    std::uint64_t pixels = 0;
    for (const IconDirectoryEntry& e : d.entries) {
        Bytes declared, rest;
        EntryBytes(file, e, declared, rest);
        IconImage image = IsPng(rest) ? DecodePngEntry(rest, limits)
                                      : DecodeBitmapEntry(declared, rest, e, limits);
        pixels += std::uint64_t(image.picture.image.width()) * image.picture.image.height();
        if (pixels > limits.maxPixels) Fail(kTooLarge);
        if (d.type == kCursorType) {
            image.hotspotX = e.planes;
            image.hotspotY = e.bitCount;
        }
        images.push_back(std::move(image));
    }
    return images;
}

namespace {

std::string DescribeEntry(Bytes file, const IconDirectoryEntry& e, bool cursor) {
    Bytes declared, rest;
    EntryBytes(file, e, declared, rest);
    std::int32_t width = 0, height = 0;
    std::uint32_t bits = 0;
    const bool png = IsPng(rest);
    if (png) {
        const PngInfo info = ReadPngInfo(rest);
        width = info.width;
        height = info.height;
        bits = info.bits;
    } else {
        const DibHeader h = ReadDibHeader(ByteReader(rest), 0);
        width = h.width;
        height = EntryRows(h, e, declared.size());
        bits = h.bits;
    }
    std::string text = std::to_string(width) + " x " + std::to_string(height) + ", " +
                       std::to_string(bits) + " bpp";
    if (png) text += ", PNG";
    if (cursor) text += ", hotspot " + std::to_string(e.planes) + ", " + std::to_string(e.bitCount);
    return text;
}

} // namespace

std::vector<std::string> DescribeIconEntries(Bytes file) {
    const IconDirectory d = ReadIconDirectory(file);
    std::vector<std::string> lines;
    for (const IconDirectoryEntry& e : d.entries) {
        try {
            lines.push_back(DescribeEntry(file, e, d.type == kCursorType));
        } catch (const FormatError&) {
            lines.push_back("damaged entry");
        }
    }
    return lines;
}

} // namespace kvf
