#include "BmpCodec.h"

#include <algorithm>
#include <cmath>

namespace kvf {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kSrgbSpace = 0x73524742; // 'sRGB'
constexpr std::uint32_t kGraphicsIntent = 4;     // LCS_GM_IMAGES

bool HasSignature(Bytes file) {
    return file.size() >= kFileHeaderSize + 4 && file[0] == 'B' && file[1] == 'M';
}

// Where the pixels start: as the file header says, or right after the
// palette when that offset points into the headers. A palette that would
// run into the pixels is cut short.
std::size_t PixelOffset(const ByteReader& r, DibHeader& h) {
    const std::size_t stated = r.u32(10);
    const std::size_t paletteAt = kFileHeaderSize + h.paletteOffset;
    if (stated < paletteAt) return kFileHeaderSize + h.headerAndPaletteBytes();
    if (h.indexed()) {
        const std::size_t room = (stated - paletteAt) / h.paletteEntrySize;
        h.paletteCount = std::uint32_t(std::min<std::size_t>(h.paletteCount, room));
        if (h.paletteCount == 0) Fail(kDamaged);
    }
    return stated;
}

float Resolution(std::int32_t pelsPerMeter) {
    return pelsPerMeter > 0 ? float(pelsPerMeter) : kDefaultResolution;
}

std::int32_t PelsPerMeter(float resolution) {
    return resolution >= 1 && resolution < 1e9f ? std::int32_t(std::lround(resolution)) : 0;
}

void WriteInfoFields(ByteWriter& w, const Raster& image, std::uint32_t headerSize,
                     std::uint32_t compression, std::uint32_t imageBytes, float rx, float ry) {
    w.u32(headerSize);
    w.i32(image.width());
    w.i32(image.height());
    w.u16(1);
    w.u16(image.bits());
    w.u32(compression);
    w.u32(imageBytes);
    w.i32(PelsPerMeter(rx));
    w.i32(PelsPerMeter(ry));
    w.u32(image.bits() <= 8 ? std::uint32_t(image.palette.size()) : 0);
    w.u32(0);
}

// Masks, color space and intent of the 124-byte header after its first 40.
void WriteV5Tail(ByteWriter& w) {
    w.u32(0x00FF0000);
    w.u32(0x0000FF00);
    w.u32(0x000000FF);
    w.u32(0xFF000000u);
    w.u32(kSrgbSpace);
    w.zeros(36 + 12); // endpoints, gamma
    w.u32(kGraphicsIntent);
    w.zeros(12); // profile data, profile size, reserved
}

// The palette an indexed picture needs: all its entries, and enough black
// ones that every index used has a color.
std::vector<Color> PaletteToWrite(const Raster& image) {
    unsigned used = 1;
    for (std::int32_t y = 0; y < image.height(); ++y)
        for (std::int32_t x = 0; x < image.width(); ++x)
            used = std::max(used, image.index(x, y) + 1);
    std::vector<Color> palette = image.palette;
    if (palette.size() < used) palette.resize(used, Color{0, 0, 0, 255});
    palette.resize(std::min<std::size_t>(palette.size(), std::size_t{1} << image.bits()));
    return palette;
}

} // namespace

// The signature and a header size of some generation: enough to call the
// file ours, so that the import can say what is wrong with the rest.
bool LooksLikeBmp(Bytes file) {
    if (!HasSignature(file)) return false;
    const std::uint32_t size = ByteReader(file).u32(kFileHeaderSize);
    return size == kCoreHeaderSize || (size >= 16 && size <= 4096);
}

std::string DescribeBmp(Bytes file) {
    const DibHeader h = ReadDibHeader(ByteReader(file), kFileHeaderSize);
    std::string text = std::to_string(h.width) + " x " + std::to_string(h.rows()) + ", " +
                       std::to_string(h.bits) + " bpp";
    if (h.runLength()) text += ", RLE";
    return text;
}

Picture DecodeBmp(Bytes file, const Limits& limits) {
    if (!HasSignature(file)) Fail(kDamaged);
    const ByteReader r(file);
    DibHeader h = ReadDibHeader(r, kFileHeaderSize);
    const std::size_t pixelsAt = PixelOffset(r, h);
    std::vector<Color> palette =
        h.indexed() ? ReadDibPalette(r, kFileHeaderSize, h) : std::vector<Color>();
    Bytes data = r.from(pixelsAt);
    if (h.runLength() && h.imageSize && h.imageSize < data.size()) data = data.first(h.imageSize);
    Picture p;
    Raster holes;
    p.image = DecodeDibPixels(h, data, h.rows(), std::move(palette), limits,
                              h.runLength() ? &holes : nullptr);
    p.mask = std::move(holes);
    if (p.image.bits() == 32 && !HasAnyAlpha(p.image)) p.image = DropAlpha(p.image, limits);
    p.resolutionX = Resolution(h.xPelsPerMeter);
    p.resolutionY = Resolution(h.yPelsPerMeter);
    p.fileBits = h.bits;
    return p;
}

std::vector<std::uint8_t> EncodeBmp(const Raster& source, float resolutionX, float resolutionY) {
    Raster image = source;
    if (image.bits() <= 8) image.palette = PaletteToWrite(source);
    const bool alpha = image.bits() == 32;
    const std::uint32_t headerSize = alpha ? kV5HeaderSize : kInfoHeaderSize;
    const std::size_t stride = (std::size_t(image.width()) * image.bits() + 31) / 32 * 4;
    const std::size_t pixelBytes = stride * std::size_t(image.height());
    const std::size_t pixelsAt = kFileHeaderSize + headerSize + image.palette.size() * 4;
    std::vector<std::uint8_t> file;
    ByteWriter w(file);
    w.u8('B');
    w.u8('M');
    w.u32(std::uint32_t(pixelsAt + pixelBytes));
    w.u32(0);
    w.u32(std::uint32_t(pixelsAt));
    WriteInfoFields(w, image, headerSize, alpha ? kBiBitfields : kBiRgb, std::uint32_t(pixelBytes),
                    resolutionX, resolutionY);
    if (alpha) WriteV5Tail(w);
    for (const Color& c : image.palette) {
        w.u8(c.b);
        w.u8(c.g);
        w.u8(c.r);
        w.u8(0);
    }
    for (std::int32_t y = image.height() - 1; y >= 0; --y) {
        w.bytes(Bytes(image.row(y), image.rowBytes()));
        w.zeros(stride - image.rowBytes());
    }
    return file;
}

} // namespace kvf
