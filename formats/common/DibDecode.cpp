#include "Dib.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kvf {
namespace {

// One color component under a bit-field mask, scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    unsigned shift = 0;
    std::uint32_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (!m) return;
        shift = unsigned(std::countr_zero(m));
        max = m >> shift;
    }
    std::uint8_t operator()(std::uint32_t pixel) const {
        if (!max) return 0;
        const std::uint64_t v = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
    }
};

std::int32_t TargetRow(const DibHeader& h, std::int32_t rows, std::int32_t fileRow) {
    return h.topDown() ? fileRow : rows - 1 - fileRow;
}

void ClearRowPadding(Raster& r, std::int32_t y) {
    const std::size_t used = std::size_t(r.bits()) * std::size_t(r.width());
    const unsigned spare = unsigned(r.rowBytes() * 8 - used);
    if (spare) r.row(y)[r.rowBytes() - 1] &= static_cast<std::uint8_t>(0xFFu << spare);
}

bool StandardMasks(const DibHeader& h) {
    return h.bits == 32 && h.masks[0] == 0xFF0000 && h.masks[1] == 0xFF00 && h.masks[2] == 0xFF &&
           h.masks[3] == 0xFF000000u;
}

// Rows whose bytes are already laid out as the raster wants them.
Raster CopyRows(const DibHeader& h, Bytes data, std::int32_t rows, std::uint32_t bits,
                const Limits& limits) {
    Raster r(h.width, rows, bits, limits);
    for (std::int32_t i = 0; i < rows; ++i) {
        const std::int32_t y = TargetRow(h, rows, i);
        std::memcpy(r.row(y), data.data() + std::size_t(i) * h.stride(), r.rowBytes());
        ClearRowPadding(r, y);
    }
    return r;
}

// 16-bit and bit-field pixels, to 32 bits.
Raster UnpackFields(const DibHeader& h, Bytes data, std::int32_t rows, const Limits& limits) {
    Raster r(h.width, rows, 32, limits);
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), alpha(h.masks[3]);
    const std::size_t bytesPerPixel = h.bits / 8;
    for (std::int32_t i = 0; i < rows; ++i) {
        const std::uint8_t* src = data.data() + std::size_t(i) * h.stride();
        std::uint8_t* dst = r.row(TargetRow(h, rows, i));
        for (std::int32_t x = 0; x < h.width; ++x, src += bytesPerPixel, dst += 4) {
            std::uint32_t v = src[0] | std::uint32_t{src[1]} << 8;
            if (bytesPerPixel == 4) v |= std::uint32_t{src[2]} << 16 | std::uint32_t{src[3]} << 24;
            dst[0] = blue(v);
            dst[1] = green(v);
            dst[2] = red(v);
            dst[3] = alpha(v);
        }
    }
    return r;
}

// Run-length codes of 4 or 8 bits: runs, end of line, end of bitmap, jumps
// and literal stretches. Pixels past a row's end are dropped; running out of
// codes ends the bitmap as its end code would.
class RunLengthDecoder {
  public:
    RunLengthDecoder(const DibHeader& h, Bytes data, std::int32_t rows, Raster& out, Raster* seen)
        : m_h(h), m_data(data), m_rows(rows), m_out(out), m_seen(seen) {}

    void run() {
        std::size_t p = 0;
        while (p + 2 <= m_data.size() && m_line < m_rows) {
            const unsigned count = m_data[p], value = m_data[p + 1];
            p += 2;
            if (count) {
                for (unsigned i = 0; i < count; ++i)
                    put(m_h.bits == 8 ? value : (i % 2 ? value & 15 : value >> 4));
            } else if (value == 0) {
                m_x = 0;
                ++m_line;
            } else if (value == 1) {
                return;
            } else if (value == 2) {
                if (p + 2 > m_data.size()) return;
                m_x += m_data[p];
                m_line += m_data[p + 1];
                p += 2;
            } else {
                p = literal(p, value);
            }
        }
    }

  private:
    std::size_t literal(std::size_t p, unsigned count) {
        const std::size_t bytes = m_h.bits == 8 ? count : (count + 1) / 2;
        if (p + bytes > m_data.size()) Fail(kTruncated);
        for (unsigned i = 0; i < count; ++i) {
            const unsigned byte = m_data[p + (m_h.bits == 8 ? i : i / 2)];
            put(m_h.bits == 8 ? byte : (i % 2 ? byte & 15 : byte >> 4));
        }
        return p + (bytes + 1) / 2 * 2;
    }

    void put(unsigned value) {
        if (m_x < m_h.width && m_line < m_rows) {
            const std::int32_t y = TargetRow(m_h, m_rows, m_line);
            m_out.setIndex(std::int32_t(m_x), y, value);
            if (m_seen) m_seen->setIndex(std::int32_t(m_x), y, 1);
        }
        ++m_x;
    }

    const DibHeader& m_h;
    Bytes m_data;
    std::int32_t m_rows;
    Raster& m_out;
    Raster* m_seen;
    std::int64_t m_x = 0;
    std::int64_t m_line = 0;
};

// Run-length codes can describe a large empty picture in a few bytes; a
// picture that large must come with codes to match.
constexpr std::uint64_t kFreeRunLengthPixels = std::uint64_t{1} << 22;
constexpr std::uint64_t kPixelsPerCodeByte = 4096;

Raster DecodeRunLength(const DibHeader& h, Bytes data, std::int32_t rows, const Limits& limits,
                       Raster* written) {
    const std::uint64_t pixels = std::uint64_t(h.width) * std::uint64_t(rows);
    if (pixels > kFreeRunLengthPixels && pixels / kPixelsPerCodeByte > data.size()) Fail(kTooLarge);
    Raster out(h.width, rows, h.bits, limits);
    Raster seen;
    if (written) seen = Raster(h.width, rows, 1, limits);
    RunLengthDecoder(h, data, rows, out, written ? &seen : nullptr).run();
    if (written) *written = HidesAnything(seen) ? std::move(seen) : Raster();
    return out;
}

} // namespace

Raster DecodeDibPixels(const DibHeader& h, Bytes data, std::int32_t rows,
                       std::vector<Color> palette, const Limits& limits, Raster* written) {
    if (written) *written = Raster();
    Raster r;
    if (h.runLength()) {
        r = DecodeRunLength(h, data, rows, limits, written);
    } else {
        if (h.stride() * std::size_t(rows) > data.size()) Fail(kTruncated);
        if (h.indexed() || h.bits == 24)
            r = CopyRows(h, data, rows, h.bits, limits);
        else if (StandardMasks(h))
            r = CopyRows(h, data, rows, 32, limits);
        else
            r = UnpackFields(h, data, rows, limits);
    }
    if (h.indexed()) r.palette = std::move(palette);
    return r;
}

bool HasAnyAlpha(const Raster& image) {
    const std::vector<std::uint8_t>& p = image.pixels();
    for (std::size_t i = 3; i < p.size(); i += 4)
        if (p[i]) return true;
    return false;
}

void MakeOpaque(Raster& image) {
    std::vector<std::uint8_t>& p = image.pixels();
    for (std::size_t i = 3; i < p.size(); i += 4)
        p[i] = 255;
}

Raster DropAlpha(const Raster& image, const Limits& limits) {
    Raster r(image.width(), image.height(), 24, limits);
    const std::vector<std::uint8_t>& from = image.pixels();
    std::vector<std::uint8_t>& to = r.pixels();
    for (std::size_t i = 0, j = 0; i < from.size(); i += 4, j += 3)
        std::copy_n(&from[i], 3, &to[j]);
    return r;
}

} // namespace kvf
