#include "HandMadeFiles.h"

#include <png.h>

#include <algorithm>
#include <cstring>

namespace kv::test {
namespace {

void Append16(Bytes& b, std::uint32_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
void Append32(Bytes& b, std::uint32_t v) {
    Append16(b, v);
    Append16(b, v >> 16);
}

Bytes PixelRow(const DibFields& s, std::int32_t y) {
    const std::size_t stride = (std::size_t(s.width) * s.bits + 31) / 32 * 4;
    Bytes row(stride, 0);
    for (std::int32_t x = 0; x < s.width; ++x) {
        const std::uint32_t v = s.pixel(x, y);
        if (s.bits <= 8) {
            const std::size_t bit = std::size_t(x) * s.bits;
            row[bit / 8] |= std::uint8_t(v << (8 - s.bits - bit % 8));
        } else {
            for (std::uint32_t i = 0; i < s.bits / 8; ++i)
                row[std::size_t(x) * (s.bits / 8) + i] = std::uint8_t(v >> (8 * i));
        }
    }
    return row;
}

// Header (with the given stored height), masks and palette.
Bytes DibHeaderBytes(const DibFields& s, std::int32_t storedHeight) {
    Bytes b;
    const std::int32_t height = s.topDown ? -storedHeight : storedHeight;
    Append32(b, s.headerSize);
    const auto appendSize = s.headerSize == 12 ? Append16 : Append32;
    appendSize(b, std::uint32_t(s.width));
    appendSize(b, std::uint32_t(height));
    Append16(b, 1);
    Append16(b, s.bits);
    if (s.headerSize != 12) {
        const std::uint32_t fields[] = {s.compression, 0, 2835, 2835, s.colorsUsed, 0};
        for (std::uint32_t f : fields)
            Append32(b, f);
        for (std::uint32_t m : s.masks)
            Append32(b, m);
        b.resize(s.headerSize, 0); // cuts the masks of smaller headers, pads larger ones
        if (s.headerSize == 40 && s.compression == 3) // bit fields after the header
            for (std::size_t i = 0; i < 3; ++i)
                Append32(b, s.masks[i]);
    }
    for (Color32 c : s.palette) {
        b.push_back(std::uint8_t(BlueOf(c)));
        b.push_back(std::uint8_t(GreenOf(c)));
        b.push_back(std::uint8_t(RedOf(c)));
        if (s.headerSize != 12) b.push_back(0);
    }
    return b;
}

// The pixel rows (or the codes), bottom row first unless top-down.
Bytes DibPixelBytes(const DibFields& s) {
    if (!s.codes.empty()) return s.codes;
    Bytes b;
    for (std::int32_t i = 0; i < s.height; ++i) {
        const Bytes row = PixelRow(s, s.topDown ? i : s.height - 1 - i);
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

} // namespace

Bytes BmpFile(const DibFields& s) {
    const Bytes header = DibHeaderBytes(s, s.height), pixels = DibPixelBytes(s);
    const std::uint32_t offset = std::uint32_t(14 + header.size());
    Bytes b = {'B', 'M'};
    Append32(b, std::uint32_t(offset + pixels.size()));
    Append32(b, 0);
    Append32(b, offset);
    b.insert(b.end(), header.begin(), header.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

Bytes IconBitmapEntry(const DibFields& s,
                      const std::function<bool(std::int32_t, std::int32_t)>& hidden) {
    Bytes b = DibHeaderBytes(s, 2 * s.height);
    const Bytes pixels = DibPixelBytes(s);
    b.insert(b.end(), pixels.begin(), pixels.end());
    const std::size_t stride = (std::size_t(s.width) + 31) / 32 * 4;
    Bytes mask;
    for (std::int32_t i = 0; i < s.height; ++i) {
        const std::int32_t y = s.topDown ? i : s.height - 1 - i;
        Bytes row(stride, 0);
        for (std::int32_t x = 0; x < s.width; ++x)
            if (hidden(x, y)) row[std::size_t(x) / 8] |= std::uint8_t(0x80 >> (x % 8));
        mask.insert(mask.end(), row.begin(), row.end());
    }
    b.insert(b.end(), mask.begin(), mask.end());
    return b;
}

Bytes IconFile(std::uint16_t type, const std::vector<IconFileEntry>& entries) {
    Bytes b;
    Append16(b, 0);
    Append16(b, type);
    Append16(b, std::uint32_t(entries.size()));
    std::size_t offset = 6 + 16 * entries.size();
    Bytes data;
    for (const IconFileEntry& e : entries) {
        b.push_back(e.width);
        b.push_back(e.height);
        b.push_back(e.colorCount);
        b.push_back(0);
        Append16(b, e.planes);
        Append16(b, e.bitCount);
        Append32(b, std::uint32_t(e.data.size()));
        Append32(b, std::uint32_t(offset + data.size()));
        data.insert(data.end(), e.data.begin(), e.data.end());
    }
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

namespace {

void AppendPng(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}
void FlushPng(png_structp) {}

} // namespace

Bytes PngFile(const PngFields& s) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_color> colors;
    std::vector<png_byte> alphas;
    for (const auto& p : s.palette) {
        colors.push_back(png_color{p[0], p[1], p[2]});
        alphas.push_back(p[3]);
    }
    png_color_16 key{};
    std::vector<png_bytep> rows;
    for (const Bytes& r : s.rows)
        rows.push_back(const_cast<png_bytep>(r.data()));
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, AppendPng, FlushPng);
    png_set_IHDR(png, info, png_uint_32(s.width), png_uint_32(s.height), s.bitDepth, s.colorType,
                 s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!colors.empty()) {
        png_set_PLTE(png, info, colors.data(), int(colors.size()));
        png_set_tRNS(png, info, alphas.data(), int(alphas.size()), nullptr);
    }
    if (s.transparent.size() == 1) key.gray = s.transparent[0];
    if (s.transparent.size() == 3) {
        key.red = s.transparent[0];
        key.green = s.transparent[1];
        key.blue = s.transparent[2];
    }
    if (!s.transparent.empty()) png_set_tRNS(png, info, nullptr, 0, &key);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

} // namespace kv::test
