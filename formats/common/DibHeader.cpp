#include "Dib.h"

namespace kvf {
namespace {

// Sides beyond this cannot be meant, and keep every size product in range.
constexpr std::int32_t kMaxDibSide = 1 << 24;
constexpr std::uint32_t kMaxHeaderSize = 4096;

bool IsOs2InfoHeader(std::uint32_t size) {
    return (size >= 16 && size < kInfoHeaderSize) || size == 64;
}

void ReadCoreHeader(const ByteReader& file, std::size_t at, DibHeader& h) {
    h.width = file.u16(at + 4);
    h.height = file.u16(at + 6);
    h.bits = file.u16(at + 10);
    h.paletteEntrySize = 3;
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 24) Fail(kDamaged);
}

// The 40-byte layout; OS/2 2.x headers may stop early, their missing
// fields are 0.
void ReadInfoHeader(const ByteReader& file, std::size_t at, DibHeader& h) {
    const ByteReader header(file.range(at, h.headerSize));
    const auto field = [&](std::size_t offset) {
        return offset + 4 <= h.headerSize ? header.u32(offset) : 0u;
    };
    h.width = static_cast<std::int32_t>(field(4));
    h.height = static_cast<std::int32_t>(field(8));
    h.bits = header.u16(14);
    h.compression = field(16);
    h.imageSize = field(20);
    h.xPelsPerMeter = static_cast<std::int32_t>(field(24));
    h.yPelsPerMeter = static_cast<std::int32_t>(field(28));
    h.colorsUsed = field(32);
    if (IsOs2InfoHeader(h.headerSize) && h.compression > kBiRle4) Fail(kUnsupported);
}

void CheckDepthAndCompression(const DibHeader& h) {
    const std::uint32_t b = h.bits;
    if (h.compression == kBiJpeg || h.compression == kBiPng || b == 0 || b == 2) Fail(kUnsupported);
    if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32) Fail(kDamaged);
    switch (h.compression) {
    case kBiRgb:
        return;
    case kBiRle8:
        if (b != 8) Fail(kDamaged);
        return;
    case kBiRle4:
        if (b != 4) Fail(kDamaged);
        return;
    case kBiBitfields:
    case kBiAlphaBitfields:
        if (b != 16 && b != 32) Fail(kDamaged);
        return;
    default:
        Fail(kUnsupported);
    }
}

// Masks: inside headers of 52 bytes and more, after a 40-byte header when
// the compression says bit fields, implied otherwise.
void ReadMasks(const ByteReader& file, std::size_t at, DibHeader& h) {
    const bool fields = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
    h.paletteOffset = h.headerSize;
    std::uint32_t given = h.headerSize >= 56 ? 4 : h.headerSize >= 52 ? 3 : 0;
    std::size_t from = at + 40;
    if (fields && h.headerSize == kInfoHeaderSize) {
        given = h.compression == kBiAlphaBitfields ? 4 : 3;
        h.paletteOffset += given * 4;
    }
    if (fields) {
        for (std::uint32_t i = 0; i < given; ++i)
            h.masks[i] = file.u32(from + 4 * i);
    } else if (h.bits == 16) {
        h.masks = {0x7C00, 0x03E0, 0x001F, 0};
    } else if (h.bits == 32) {
        h.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000u};
    }
    if (given == 4 && (h.bits == 16 || h.bits == 32)) {
        const std::uint32_t alpha = file.u32(from + 12);
        h.alphaMaskGiven = alpha != 0;
        if (alpha || fields) h.masks[3] = alpha;
    }
}

} // namespace

DibHeader ReadDibHeader(const ByteReader& file, std::size_t at) {
    DibHeader h;
    h.headerSize = file.u32(at);
    if (h.headerSize < kCoreHeaderSize || h.headerSize > kMaxHeaderSize ||
        (h.headerSize > kCoreHeaderSize && h.headerSize < 16))
        Fail(kDamaged);
    if (!file.holds(at, h.headerSize)) Fail(kTruncated);
    if (h.headerSize == kCoreHeaderSize) {
        ReadCoreHeader(file, at, h);
        h.paletteOffset = kCoreHeaderSize;
    } else {
        ReadInfoHeader(file, at, h);
        CheckDepthAndCompression(h);
        ReadMasks(file, at, h);
    }
    if (h.width <= 0 || h.height == 0 || h.width > kMaxDibSide || h.height > kMaxDibSide ||
        h.height < -kMaxDibSide)
        Fail(kDamaged);
    if (h.height < 0 && h.runLength()) Fail(kDamaged);
    if (h.indexed()) {
        const std::uint32_t full = 1u << h.bits;
        h.paletteCount = h.colorsUsed == 0 || h.colorsUsed > full ? full : h.colorsUsed;
    }
    return h;
}

std::vector<Color> ReadDibPalette(const ByteReader& file, std::size_t at, const DibHeader& h) {
    std::vector<Color> palette(h.paletteCount);
    const Bytes bytes =
        file.range(at + h.paletteOffset, std::size_t(h.paletteCount) * h.paletteEntrySize);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const std::uint8_t* e = bytes.data() + i * h.paletteEntrySize;
        palette[i] = Color{e[2], e[1], e[0], 255};
    }
    return palette;
}

} // namespace kvf
