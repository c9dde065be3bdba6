#include "storage/pictures/PngEncoder.h"

#include <array>
#include <vector>

namespace kv {
namespace {

constexpr std::uint16_t kLengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                           15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                           67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint16_t kDistanceBase[30] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr std::size_t kWindow = 32768;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 258;
constexpr std::size_t kHashBits = 15;

class BitWriter {
  public:
    // Plain bits go least significant first.
    void bits(std::uint32_t value, unsigned count) {
        for (unsigned i = 0; i < count; ++i)
            bit((value >> i) & 1);
    }
    // Huffman codes go most significant first.
    void code(std::uint32_t value, unsigned length) {
        for (unsigned i = length; i-- > 0;)
            bit((value >> i) & 1);
    }
    std::string finish() {
        if (m_used) m_out.push_back(static_cast<char>(m_byte));
        return std::move(m_out);
    }

  private:
    void bit(unsigned b) {
        m_byte |= b << m_used;
        if (++m_used == 8) {
            m_out.push_back(static_cast<char>(m_byte));
            m_byte = 0;
            m_used = 0;
        }
    }
    std::string m_out;
    unsigned m_byte = 0;
    unsigned m_used = 0;
};

void FixedSymbol(BitWriter& w, unsigned symbol) {
    if (symbol < 144)
        w.code(0x30 + symbol, 8);
    else if (symbol < 256)
        w.code(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        w.code(symbol - 256, 7);
    else
        w.code(0xC0 + symbol - 280, 8);
}

void Match(BitWriter& w, std::size_t length, std::size_t distance) {
    unsigned l = 28;
    while (kLengthBase[l] > length)
        --l;
    FixedSymbol(w, 257 + l);
    w.bits(static_cast<std::uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
    unsigned d = 29;
    while (kDistanceBase[d] > distance)
        --d;
    w.code(d, 5);
    w.bits(static_cast<std::uint32_t>(distance - kDistanceBase[d]), kDistanceExtra[d]);
}

std::uint32_t Hash3(const unsigned char* p) {
    const std::uint32_t v = p[0] | p[1] << 8 | p[2] << 16;
    return (v * 2654435761u) >> (32 - kHashBits);
}

std::string Deflate(std::string_view data) {
    BitWriter w;
    w.bits(1, 1); // the only block, with the fixed codes
    w.bits(1, 2);
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    const std::size_t n = data.size();
    std::vector<std::int64_t> head(std::size_t(1) << kHashBits, -1);
    std::size_t i = 0;
    while (i < n) {
        std::size_t bestLength = 0, bestDistance = 0;
        if (i + kMinMatch <= n) {
            const std::uint32_t h = Hash3(p + i);
            const std::int64_t candidate = head[h];
            head[h] = static_cast<std::int64_t>(i);
            if (candidate >= 0 && i - static_cast<std::size_t>(candidate) <= kWindow) {
                const std::size_t c = static_cast<std::size_t>(candidate);
                const std::size_t limit = std::min(kMaxMatch, n - i);
                std::size_t length = 0;
                while (length < limit && p[c + length] == p[i + length])
                    ++length;
                if (length >= kMinMatch) {
                    bestLength = length;
                    bestDistance = i - c;
                }
            }
        }
        if (bestLength == 0) {
            FixedSymbol(w, p[i++]);
            continue;
        }
        Match(w, bestLength, bestDistance);
        // Remember the positions inside the match for later searches.
        for (std::size_t k = i + 1; k < i + bestLength && k + kMinMatch <= n; ++k)
            head[Hash3(p + k)] = static_cast<std::int64_t>(k);
        i += bestLength;
    }
    FixedSymbol(w, 256);
    return w.finish();
}

void PutBigEndian(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void Chunk(std::string& out, const char* type, std::string_view body) {
    PutBigEndian(out, static_cast<std::uint32_t>(body.size()));
    std::string typed(type, 4);
    typed += body;
    out += typed;
    PutBigEndian(out, Crc32(typed));
}

} // namespace

std::uint32_t Crc32(std::string_view data, std::uint32_t crc) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (unsigned char b : data)
        crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(std::string_view data) {
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : data) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

std::string ZlibCompress(std::string_view data) {
    std::string out = "\x78\x01"; // deflate, 32K window, fastest-level flag
    out += Deflate(data);
    PutBigEndian(out, Adler32(data));
    return out;
}

std::string EncodePng(const Color32* pixels, std::int32_t width, std::int32_t height) {
    std::string raw;
    raw.reserve(static_cast<std::size_t>(height) * (1 + 4 * static_cast<std::size_t>(width)));
    for (std::int32_t y = 0; y < height; ++y) {
        raw.push_back('\0'); // no filter
        const Color32* row = pixels + static_cast<std::size_t>(y) * width;
        for (std::int32_t x = 0; x < width; ++x) {
            const Color32 c = row[x];
            raw.push_back(static_cast<char>(RedOf(c)));
            raw.push_back(static_cast<char>(GreenOf(c)));
            raw.push_back(static_cast<char>(BlueOf(c)));
            raw.push_back(static_cast<char>(AlphaOf(c)));
        }
    }
    std::string header;
    PutBigEndian(header, static_cast<std::uint32_t>(width));
    PutBigEndian(header, static_cast<std::uint32_t>(height));
    header +=
        std::string("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, no filter, no interlace
    std::string png("\x89PNG\r\n\x1A\n", 8);
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", ZlibCompress(raw));
    Chunk(png, "IEND", {});
    return png;
}

} // namespace kv
