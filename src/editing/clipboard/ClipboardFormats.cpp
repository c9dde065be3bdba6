#include "editing/clipboard/ClipboardFormats.h"

#include "model/FixedPoint.h"
#include "storage/pictures/PngEncoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <optional>

namespace kv {
namespace {

constexpr std::uint32_t kPrivateHeaderSize = 24;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kRgb = 0;       // uncompressed
constexpr std::uint32_t kBitFields = 3; // uncompressed with channel masks
constexpr std::uint32_t kSrgbSpace = 0x73524742;
constexpr std::uint32_t kGraphicsIntent = 2;

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t Get16(const std::uint8_t* p) {
    return p[0] | (std::uint32_t{p[1]} << 8);
}

std::uint32_t Get32(const std::uint8_t* p) {
    return p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

std::uint32_t PixelsPerMetre(float resolution) {
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(resolution)));
}

std::size_t PaddedRow(std::size_t bytes) {
    return (bytes + 3) & ~std::size_t{3};
}

// Both device-independent forms: the header, the grey table of 8-bit
// pictures and the rows bottom-up.
std::vector<std::uint8_t> DeviceIndependent(const ClipPicture& picture, bool v5) {
    const bool keep32 = v5 && picture.bitsPerPixel == 32;
    const int bits = picture.bitsPerPixel == 8 ? 8 : keep32 ? 32 : 24;
    const std::uint32_t header = v5 ? kV5HeaderSize : kInfoHeaderSize;
    const std::size_t table = bits == 8 ? 256 * 4 : 0;
    const std::size_t rowOut = PaddedRow(static_cast<std::size_t>(picture.width) * (bits / 8));
    std::vector<std::uint8_t> out(header + table +
                                  rowOut * static_cast<std::size_t>(picture.height));
    Put32(out, 0, header);
    Put32(out, 4, static_cast<std::uint32_t>(picture.width));
    Put32(out, 8, static_cast<std::uint32_t>(picture.height));
    Put16(out, 12, 1);
    Put16(out, 14, static_cast<std::uint32_t>(bits));
    Put32(out, 16, keep32 ? kBitFields : kRgb);
    Put32(out, 24, PixelsPerMetre(picture.resolutionX));
    Put32(out, 28, PixelsPerMetre(picture.resolutionY));
    if (bits == 8) Put32(out, 32, 256);
    if (keep32) {
        Put32(out, 40, 0x00FF0000);
        Put32(out, 44, 0x0000FF00);
        Put32(out, 48, 0x000000FF);
        Put32(out, 52, 0xFF000000);
    }
    if (v5) {
        Put32(out, 56, kSrgbSpace);
        Put32(out, 108, kGraphicsIntent);
    }
    for (std::size_t i = 0; i < table / 4; ++i)
        for (std::size_t c = 0; c < 3; ++c)
            out[header + i * 4 + c] = static_cast<std::uint8_t>(i);
    const std::size_t rowIn = picture.rowBytes();
    const std::size_t step = static_cast<std::size_t>(picture.bitsPerPixel / 8);
    for (std::int32_t y = 0; y < picture.height; ++y) {
        const std::uint8_t* src = picture.bytes.data() + rowIn * static_cast<std::size_t>(y);
        std::uint8_t* dst =
            out.data() + header + table + rowOut * static_cast<std::size_t>(picture.height - 1 - y);
        if (bits == picture.bitsPerPixel) {
            std::memcpy(dst, src, rowIn);
        } else {
            for (std::int32_t x = 0; x < picture.width; ++x, src += step, dst += 3)
                std::memcpy(dst, src, 3); // alpha dropped
        }
    }
    return out;
}

// A channel's bits scaled to 0..255: f = 0xFF000000 / (2^n - 1).
struct ChannelMask {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t factor = 0;

    explicit ChannelMask(std::uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        const int n = std::bit_width(m >> shift);
        factor = 0xFF000000ull / ((std::uint64_t{1} << n) - 1);
    }
    unsigned take(std::uint32_t pixel, unsigned none) const {
        if (mask == 0) return none;
        return static_cast<unsigned>(((((pixel & mask) >> shift) * factor) + (1u << 23)) >> 24);
    }
};

struct DibLayout {
    std::int32_t width = 0, height = 0;
    bool bottomUp = true;
    unsigned bits = 0;
    std::size_t pixelOffset = 0;
    std::size_t tableOffset = 0, tableCount = 0;
    bool useMasks = false;
    std::uint32_t masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
};

std::optional<DibLayout> ReadDibLayout(const std::uint8_t* data, std::size_t size) {
    if (size < kInfoHeaderSize) return std::nullopt;
    const std::uint32_t header = Get32(data);
    if (header < kInfoHeaderSize || header > size) return std::nullopt;
    DibLayout d;
    d.width = static_cast<std::int32_t>(Get32(data + 4));
    const std::int32_t height = static_cast<std::int32_t>(Get32(data + 8));
    d.bits = Get16(data + 14);
    const std::uint32_t compression = Get32(data + 16);
    const std::uint32_t used = Get32(data + 32);
    if (Get16(data + 12) != 1 || d.width <= 0 || height == 0 || height == INT32_MIN)
        return std::nullopt;
    d.height = height < 0 ? -height : height;
    d.bottomUp = height > 0;
    d.tableCount = used != 0 ? used : d.bits < 16 ? (std::size_t{1} << d.bits) : 0;
    d.tableOffset = header;
    if (d.tableCount > 256) return std::nullopt;
    std::size_t offset = header + d.tableCount * 4;
    const bool longHeader = header >= 56;
    if (compression == kBitFields && (d.bits == 16 || d.bits == 32)) {
        // The masks follow a short header, where the reader skips them.
        if (size < 52) return std::nullopt;
        d.useMasks = true;
        d.masks[0] = Get32(data + 40), d.masks[1] = Get32(data + 44), d.masks[2] = Get32(data + 48);
        d.masks[3] = longHeader ? Get32(data + 52) : 0;
        if (!longHeader) offset += 12;
    } else if (compression == kRgb && d.bits == 16) {
        d.useMasks = true;
        d.masks[0] = 0x7C00, d.masks[1] = 0x03E0, d.masks[2] = 0x001F;
    } else if (compression == kRgb && d.bits == 32) {
        const std::uint32_t alpha = longHeader ? Get32(data + 52) : 0;
        d.useMasks = true;
        d.masks[0] = 0x00FF0000, d.masks[1] = 0x0000FF00, d.masks[2] = 0x000000FF;
        d.masks[3] = alpha;
    } else if (!(compression == kRgb && (d.bits == 8 || d.bits == 24))) {
        return std::nullopt;
    }
    d.pixelOffset = offset;
    return d;
}

bool ReadDibPixels(const std::uint8_t* data, std::size_t size, const DibLayout& d,
                   PastePicture& out) {
    const std::size_t row = PaddedRow(static_cast<std::size_t>(d.width) * d.bits / 8);
    const std::size_t rows = static_cast<std::size_t>(d.height);
    if (d.pixelOffset > size || row == 0 || (size - d.pixelOffset) / row < rows) return false;
    if (d.tableOffset + d.tableCount * 4 > size) return false;
    out.pixels.setSize(d.width, d.height);
    if (out.pixels.isEmpty()) return false;
    const ChannelMask r(d.masks[0]), g(d.masks[1]), b(d.masks[2]), a(d.masks[3]);
    const std::uint8_t* table = data + d.tableOffset;
    for (std::int32_t y = 0; y < d.height; ++y) {
        const std::size_t stored =
            d.bottomUp ? rows - 1 - static_cast<std::size_t>(y) : static_cast<std::size_t>(y);
        const std::uint8_t* p = data + d.pixelOffset + stored * row;
        Color32* dst = out.pixels.row(y);
        for (std::int32_t x = 0; x < d.width; ++x) {
            if (d.bits == 8) {
                const std::size_t i = std::min<std::size_t>(*p++, d.tableCount - 1);
                dst[x] = MakeColor32(table[i * 4 + 2], table[i * 4 + 1], table[i * 4], 255);
            } else if (d.bits == 24) {
                dst[x] = MakeColor32(p[2], p[1], p[0], 255);
                p += 3;
            } else {
                const std::uint32_t v = d.bits == 16 ? Get16(p) : Get32(p);
                p += d.bits / 8;
                dst[x] = MakeColor32(r.take(v, 0), g.take(v, 0), b.take(v, 0), a.take(v, 255));
            }
        }
    }
    return true;
}

// sRGB transfer, both ways; luminance is computed in linear light.
double Linear(unsigned c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

unsigned Encoded(double linear) {
    const double v =
        linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return static_cast<unsigned>(std::clamp(std::lround(v * 255.0), 0L, 255L));
}

const std::array<double, 256>& LinearTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (unsigned i = 0; i < 256; ++i)
            t[i] = Linear(i);
        return t;
    }();
    return table;
}

unsigned PremultipliedLuminance(Color32 c) {
    const auto& lin = LinearTable();
    const unsigned a = AlphaOf(c);
    const double y = 0.2126 * lin[Div255(RedOf(c) * a)] + 0.7152 * lin[Div255(GreenOf(c) * a)] +
                     0.0722 * lin[Div255(BlueOf(c) * a)];
    return Encoded(y);
}

} // namespace

std::vector<std::uint8_t> PrivateClipData(const ClipPicture& picture) {
    std::vector<std::uint8_t> out(kPrivateHeaderSize + picture.bytes.size());
    Put32(out, 0, kPrivateHeaderSize);
    Put32(out, 4, static_cast<std::uint32_t>(picture.bitsPerPixel) << 16);
    Put32(out, 8, static_cast<std::uint32_t>(picture.width));
    Put32(out, 12, static_cast<std::uint32_t>(picture.height));
    Put32(out, 16, std::bit_cast<std::uint32_t>(picture.resolutionX));
    Put32(out, 20, std::bit_cast<std::uint32_t>(picture.resolutionY));
    std::copy(picture.bytes.begin(), picture.bytes.end(), out.begin() + kPrivateHeaderSize);
    return out;
}

std::vector<std::uint8_t> DibClipData(const ClipPicture& picture) {
    return DeviceIndependent(picture, false);
}

std::vector<std::uint8_t> DibV5ClipData(const ClipPicture& picture) {
    return DeviceIndependent(picture, true);
}

std::vector<std::uint8_t> BmpFileData(const ClipPicture& picture) {
    std::vector<std::uint8_t> out = DibV5ClipData(picture);
    const std::uint32_t dibSize = static_cast<std::uint32_t>(out.size());
    out.insert(out.begin(), kFileHeaderSize, std::uint8_t{0});
    out[0] = 'B', out[1] = 'M';
    Put32(out, 2, kFileHeaderSize + dibSize);
    const std::uint32_t table = picture.bitsPerPixel == 8 ? 1024 : 0;
    Put32(out, 10, kFileHeaderSize + kV5HeaderSize + table);
    return out;
}

std::string PngClipData(const ClipPicture& picture) {
    PastePicture asPasted;
    if (!ReadClipPicture(picture, asPasted)) return {};
    return EncodePng(asPasted.pixels.data(), picture.width, picture.height);
}

bool ReadClipPicture(const ClipPicture& picture, PastePicture& out) {
    const std::size_t step = static_cast<std::size_t>(picture.bitsPerPixel / 8);
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.bytes.size() < picture.rowBytes() * static_cast<std::size_t>(picture.height))
        return false;
    out.pixels.setSize(picture.width, picture.height);
    if (out.pixels.isEmpty()) return false;
    out.resolutionX = picture.resolutionX;
    out.resolutionY = picture.resolutionY;
    const std::uint8_t* p = picture.bytes.data();
    for (std::int32_t y = 0; y < picture.height; ++y) {
        Color32* dst = out.pixels.row(y);
        for (std::int32_t x = 0; x < picture.width; ++x, p += step) {
            if (step == 1)
                dst[x] = MakeColor32(p[0], p[0], p[0], 255);
            else
                dst[x] = MakeColor32(p[2], p[1], p[0], step == 4 ? p[3] : 255);
        }
    }
    return true;
}

bool ReadPrivateClipData(const std::uint8_t* data, std::size_t size, PastePicture& out) {
    if (size < kPrivateHeaderSize) return false;
    const std::uint32_t header = Get32(data);
    const int bits = static_cast<int>(Get16(data + 6));
    ClipPicture picture;
    picture.width = static_cast<std::int32_t>(Get32(data + 8));
    picture.height = static_cast<std::int32_t>(Get32(data + 12));
    picture.bitsPerPixel = bits;
    picture.resolutionX = std::bit_cast<float>(Get32(data + 16));
    picture.resolutionY = std::bit_cast<float>(Get32(data + 20));
    if ((bits != 8 && bits != 24 && bits != 32) || header < kPrivateHeaderSize || header > size ||
        picture.width <= 0 || picture.height <= 0)
        return false;
    const std::size_t row = picture.rowBytes();
    if ((size - header) / row < static_cast<std::size_t>(picture.height)) return false;
    picture.bytes.assign(data + header,
                         data + header + row * static_cast<std::size_t>(picture.height));
    return ReadClipPicture(picture, out);
}

bool ReadDibClipData(const std::uint8_t* data, std::size_t size, PastePicture& out) {
    const std::optional<DibLayout> layout = ReadDibLayout(data, size);
    if (!layout || !ReadDibPixels(data, size, *layout, out)) return false;
    out.resolutionX = static_cast<float>(static_cast<std::int32_t>(Get32(data + 24)));
    out.resolutionY = static_cast<float>(static_cast<std::int32_t>(Get32(data + 28)));
    return true;
}

bool ReadBmpFileData(const std::uint8_t* data, std::size_t size, PastePicture& out) {
    if (size < kFileHeaderSize || data[0] != 'B' || data[1] != 'M') return false;
    const std::uint8_t* dib = data + kFileHeaderSize;
    const std::size_t dibSize = size - kFileHeaderSize;
    std::optional<DibLayout> layout = ReadDibLayout(dib, dibSize);
    if (!layout) return false;
    // The file header says where the pixels start; trust it only inside the file.
    const std::uint32_t offset = Get32(data + 10);
    if (offset >= kFileHeaderSize && offset - kFileHeaderSize >= layout->tableOffset)
        layout->pixelOffset = offset - kFileHeaderSize;
    if (!ReadDibPixels(dib, dibSize, *layout, out)) return false;
    out.resolutionX = static_cast<float>(static_cast<std::int32_t>(Get32(dib + 24)));
    out.resolutionY = static_cast<float>(static_cast<std::int32_t>(Get32(dib + 28)));
    return true;
}

void WritePastePicture(PixelArray& target, std::int32_t x, std::int32_t y,
                       const PixelArray& picture, ChannelMode mode) {
    std::int32_t dx = x, dy = y, sx = 0, sy = 0, w = picture.width(), h = picture.height();
    if (!ClipCopy(target.width(), target.height(), dx, dy, picture.width(), picture.height(), sx,
                  sy, w, h))
        return;
    for (std::int32_t row = 0; row < h; ++row) {
        const Color32* src = picture.row(sy + row) + sx;
        Color32* dst = target.row(dy + row) + dx;
        for (std::int32_t i = 0; i < w; ++i) {
            const Color32 s = src[i];
            if (mode == ChannelMode::Normal) {
                dst[i] = s;
            } else if (mode == ChannelMode::ColorOnly) {
                const unsigned a = AlphaOf(s);
                dst[i] = MakeColor32(Div255(RedOf(s) * a), Div255(GreenOf(s) * a),
                                     Div255(BlueOf(s) * a), AlphaOf(dst[i]));
            } else {
                dst[i] = WithAlpha(dst[i], PremultipliedLuminance(s));
            }
        }
    }
}

} // namespace kv
