#include "Png.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstring>

// libpng reports errors by longjmp. The functions that call it keep every
// object with a destructor in a state record owned by their caller, so the
// jump leaves nothing behind.

namespace kvf {
namespace {

constexpr std::size_t kSignatureSize = 8;
// Deflate cannot expand data by more than about 1032 to 1: a file claiming
// more raw bytes than that is damaged, whatever its header says.
constexpr std::uint64_t kMaxDeflateRatio = 1100;
// Ancillary chunks (text, profiles) as read or decompressed.
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;

struct ReadState {
    Bytes file;
    std::size_t position = 0;
    const Limits* limits = nullptr;
    std::uint32_t failure = kDamaged;
    Picture picture;
    std::vector<png_bytep> rows;
    std::vector<std::uint8_t> packed; // 2-bit rows before widening
};

[[noreturn]] void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
    auto* s = static_cast<ReadState*>(png_get_io_ptr(png));
    if (count > s->file.size() - s->position) {
        s->failure = kTruncated;
        png_error(png, "truncated");
    }
    std::memcpy(out, s->file.data() + s->position, count);
    s->position += count;
}

// The raster a file's pixels land in, and the transformations that make
// libpng deliver them that way.
std::uint32_t ChooseLayout(png_structp png, png_infop info, bool& widen2) {
    const int type = png_get_color_type(png, info), depth = png_get_bit_depth(png, info);
    const bool trns = png_get_valid(png, info, PNG_INFO_tRNS);
    widen2 = false;
    if (type == PNG_COLOR_TYPE_PALETTE || (type == PNG_COLOR_TYPE_GRAY && !(trns && depth == 16))) {
        if (depth == 16) png_set_scale_16(png);
        widen2 = depth == 2;
        return depth == 16 ? 8 : depth == 2 ? 4 : std::uint32_t(depth);
    }
    png_set_scale_16(png);
    png_set_bgr(png);
    if (type == PNG_COLOR_TYPE_RGB && !(trns && depth == 16)) return 24;
    png_set_expand(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    return 32;
}

void ReadPalette(png_structp png, png_infop info, ReadState& s) {
    std::vector<Color>& palette = s.picture.image.palette;
    const int type = png_get_color_type(png, info), depth = png_get_bit_depth(png, info);
    png_bytep alpha = nullptr;
    int alphaCount = 0;
    png_color_16p key = nullptr;
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_get_tRNS(png, info, &alpha, &alphaCount, &key);
    if (type == PNG_COLOR_TYPE_PALETTE) {
        png_colorp colors = nullptr;
        int count = 0;
        png_get_PLTE(png, info, &colors, &count);
        for (int i = 0; i < count; ++i)
            palette.push_back(Color{colors[i].red, colors[i].green, colors[i].blue,
                                    std::uint8_t(alpha && i < alphaCount ? alpha[i] : 255)});
        return;
    }
    const int levels = depth >= 8 ? 256 : 1 << depth;
    for (int i = 0; i < levels; ++i) {
        const auto v = static_cast<std::uint8_t>(i * 255 / (levels - 1));
        palette.push_back(Color{v, v, v, 255});
    }
    if (key && key->gray < levels) palette[key->gray].a = 0;
}

// Pixels of the 8-bit color key become invisible in a mask.
void MaskColorKey(png_structp png, png_infop info, ReadState& s) {
    png_color_16p key = nullptr;
    if (!png_get_valid(png, info, PNG_INFO_tRNS) ||
        !png_get_tRNS(png, info, nullptr, nullptr, &key) || !key)
        return;
    const Raster& image = s.picture.image;
    s.picture.mask = VisibleMask(image.width(), image.height(), *s.limits);
    for (std::int32_t y = 0; y < image.height(); ++y)
        for (std::int32_t x = 0; x < image.width(); ++x) {
            const std::uint8_t* p = image.row(y) + 3 * x;
            if (p[2] == key->red && p[1] == key->green && p[0] == key->blue)
                s.picture.mask.setIndex(x, y, 0);
        }
    if (!HidesAnything(s.picture.mask)) s.picture.mask = Raster();
}

void Widen2Bit(ReadState& s) {
    Raster& image = s.picture.image;
    const std::size_t packedRow = (std::size_t(image.width()) * 2 + 7) / 8;
    for (std::int32_t y = 0; y < image.height(); ++y) {
        const std::uint8_t* from = s.packed.data() + std::size_t(y) * packedRow;
        for (std::int32_t x = 0; x < image.width(); ++x)
            image.setIndex(x, y, (from[x / 4] >> (6 - 2 * (x % 4))) & 3);
    }
}

void CheckClaimedSize(png_structp png, png_infop info, ReadState& s) {
    const std::uint64_t width = png_get_image_width(png, info),
                        height = png_get_image_height(png, info);
    const std::uint64_t rawRow =
        (width * png_get_bit_depth(png, info) * png_get_channels(png, info) + 7) / 8 + 1;
    if (rawRow * height / kMaxDeflateRatio > s.file.size()) png_error(png, "impossible size");
    if (width * height > s.limits->maxPixels || width > std::uint64_t(s.limits->maxSide) ||
        height > std::uint64_t(s.limits->maxSide)) {
        s.failure = kTooLarge;
        png_error(png, "too large");
    }
}

void KeepResolution(png_structp png, png_infop info, Picture& picture) {
    png_uint_32 x = 0, y = 0;
    int unit = 0;
    if (!png_get_pHYs(png, info, &x, &y, &unit) || unit != PNG_RESOLUTION_METER || !x || !y) return;
    picture.resolutionX = float(x);
    picture.resolutionY = float(y);
}

// Everything that may jump; returns false when libpng gave up.
bool ReadWithLibpng(png_structp png, png_infop info, ReadState& s, bool& widen2) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    CheckClaimedSize(png, info, s);
    s.picture.fileBits = png_get_bit_depth(png, info) * png_get_channels(png, info);
    const std::uint32_t bits = ChooseLayout(png, info, widen2);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const auto width = std::int32_t(png_get_image_width(png, info));
    const auto height = std::int32_t(png_get_image_height(png, info));
    s.picture.image = Raster(width, height, bits, *s.limits);
    const std::size_t rowBytes =
        widen2 ? (std::size_t(width) * 2 + 7) / 8 : s.picture.image.rowBytes();
    if (png_get_rowbytes(png, info) != rowBytes) png_error(png, "unexpected layout");
    if (widen2) s.packed.assign(rowBytes * std::size_t(height), 0);
    s.rows.resize(std::size_t(height));
    for (std::int32_t y = 0; y < height; ++y)
        s.rows[std::size_t(y)] =
            widen2 ? s.packed.data() + std::size_t(y) * rowBytes : s.picture.image.row(y);
    png_read_image(png, s.rows.data());
    png_read_end(png, nullptr);
    if (bits <= 8) ReadPalette(png, info, s);
    if (bits == 24) MaskColorKey(png, info, s);
    KeepResolution(png, info, s.picture);
    return true;
}

// No chunk can be longer than the rest of the file. libpng trusts a length
// far enough to allocate it, so the lengths are walked first.
void CheckChunkLengths(Bytes file) {
    const ByteReader r(file);
    for (std::size_t at = kSignatureSize; at < file.size();) {
        const Bytes b = r.range(at, 8);
        const std::uint64_t length =
            std::uint64_t{b[0]} << 24 | std::uint64_t{b[1]} << 16 | std::uint64_t{b[2]} << 8 | b[3];
        if (length > PNG_UINT_31_MAX) Fail(kDamaged);
        if (!r.holds(at, 12 + length)) Fail(kTruncated);
        if (std::memcmp(b.data() + 4, "IEND", 4) == 0) return;
        at += 12 + length;
    }
}

struct ReadGuard {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~ReadGuard() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

struct WriteState {
    std::vector<std::uint8_t> out;
    std::vector<png_bytep> rows;
    std::vector<png_color> colors;
    std::vector<png_byte> alphas;
    std::uint32_t failure = kDamaged;
};

void WriteBytes(png_structp png, png_bytep data, png_size_t count) {
    auto* s = static_cast<WriteState*>(png_get_io_ptr(png));
    try {
        s->out.insert(s->out.end(), data, data + count);
    } catch (...) {
        s->failure = kTooLarge;
        png_error(png, "out of memory");
    }
}
void FlushNothing(png_structp) {}

// PLTE covers every index the pixels use; tRNS stops after the last entry
// that is not opaque.
void PreparePalette(const Raster& image, WriteState& s) {
    unsigned used = 0;
    for (std::int32_t y = 0; y < image.height(); ++y)
        for (std::int32_t x = 0; x < image.width(); ++x)
            used = std::max(used, image.index(x, y) + 1);
    const std::size_t count = std::min<std::size_t>(
        std::max<std::size_t>({image.palette.size(), used, 1}), std::size_t{1} << image.bits());
    std::size_t alphas = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Color c = i < image.palette.size() ? image.palette[i] : Color{};
        s.colors.push_back(png_color{c.r, c.g, c.b});
        s.alphas.push_back(c.a);
        if (c.a != 255) alphas = i + 1;
    }
    s.alphas.resize(alphas);
}

png_uint_32 PixelsPerMetre(float resolution) {
    return resolution >= 1 && resolution < 1e9f ? png_uint_32(std::lround(resolution)) : 0;
}

bool WriteWithLibpng(png_structp png, png_infop info, const PngOutput& o, WriteState& s) {
    if (setjmp(png_jmpbuf(png))) return false;
    const Raster& image = *o.image;
    const int type = image.bits() == 32   ? PNG_COLOR_TYPE_RGB_ALPHA
                     : image.bits() == 24 ? PNG_COLOR_TYPE_RGB
                                          : PNG_COLOR_TYPE_PALETTE;
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()),
                 image.bits() <= 8 ? int(image.bits()) : 8, type, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (type == PNG_COLOR_TYPE_PALETTE) {
        png_set_PLTE(png, info, s.colors.data(), int(s.colors.size()));
        if (!s.alphas.empty())
            png_set_tRNS(png, info, s.alphas.data(), int(s.alphas.size()), nullptr);
    }
    if (type == PNG_COLOR_TYPE_RGB && o.transparentColor) {
        png_color_16 key{0, o.transparentColor->r, o.transparentColor->g, o.transparentColor->b, 0};
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    const png_uint_32 x = PixelsPerMetre(o.resolutionX), y = PixelsPerMetre(o.resolutionY);
    if (x && y) png_set_pHYs(png, info, x, y, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    if (type != PNG_COLOR_TYPE_PALETTE) png_set_bgr(png);
    png_write_image(png, s.rows.data());
    png_write_end(png, nullptr);
    return true;
}

struct WriteGuard {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~WriteGuard() { png_destroy_write_struct(&png, info ? &info : nullptr); }
};

} // namespace

bool IsPng(Bytes file) {
    return file.size() >= kSignatureSize && png_sig_cmp(file.data(), 0, kSignatureSize) == 0;
}

PngInfo ReadPngInfo(Bytes file) {
    const ByteReader r(file);
    if (!IsPng(file)) Fail(kDamaged);
    const auto be32 = [&](std::size_t at) {
        const Bytes b = r.range(at, 4);
        return std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 |
               b[3];
    };
    if (be32(12) != 0x49484452u) Fail(kDamaged); // "IHDR"
    PngInfo info;
    info.width = std::int32_t(std::min<std::uint32_t>(be32(16), 0x7FFFFFFF));
    info.height = std::int32_t(std::min<std::uint32_t>(be32(20), 0x7FFFFFFF));
    info.bitDepth = r.u8(24);
    info.colorType = r.u8(25);
    info.interlaced = r.u8(28) != 0;
    static const std::uint32_t channels[7] = {1, 0, 3, 1, 2, 0, 4};
    info.bits = info.colorType < 7 ? info.bitDepth * channels[info.colorType] : 0;
    return info;
}

Picture DecodePng(Bytes file, const Limits& limits, bool checkSums) {
    if (!IsPng(file)) Fail(kDamaged);
    CheckChunkLengths(file);
    ReadState s;
    s.file = file;
    s.limits = &limits;
    ReadGuard guard;
    guard.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!guard.png || !(guard.info = png_create_info_struct(guard.png))) Fail(kTooLarge);
    png_set_read_fn(guard.png, &s, ReadBytes);
    // Our own checks of the claimed size come right after the header.
    png_set_user_limits(guard.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    // Text and profiles as decompressed.
    png_set_chunk_malloc_max(guard.png, kMaxChunkBytes);
    if (!checkSums) {
        png_set_crc_action(guard.png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#ifdef PNG_IGNORE_ADLER32
        png_set_option(guard.png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    }
    bool widen2 = false;
    if (!ReadWithLibpng(guard.png, guard.info, s, widen2)) Fail(s.failure);
    if (widen2) Widen2Bit(s);
    return std::move(s.picture);
}

} // namespace kvf

namespace kvf {

std::vector<std::uint8_t> EncodePng(const PngOutput& output) {
    const Raster& image = *output.image;
    if (image.empty()) Fail(kDamaged);
    WriteState s;
    if (image.bits() <= 8) PreparePalette(image, s);
    for (std::int32_t y = 0; y < image.height(); ++y)
        s.rows.push_back(const_cast<png_bytep>(image.row(y)));
    WriteGuard guard;
    guard.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!guard.png || !(guard.info = png_create_info_struct(guard.png))) Fail(kTooLarge);
    png_set_write_fn(guard.png, &s, WriteBytes, FlushNothing);
    if (!WriteWithLibpng(guard.png, guard.info, output, s)) Fail(s.failure);
    return std::move(s.out);
}

} // namespace kvf
