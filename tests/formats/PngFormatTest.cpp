// The PNG plug-in: files of every color type and depth (written by libpng in
// the test) import with the right target format and pixels; damage is
// reported. Export is judged in RoundTripTest.
#include "FormatTestSupport.h"
#include "HandMadeFiles.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

namespace kv {
namespace {

using test::Bytes;

constexpr std::int32_t kWidth = 11, kHeight = 5;

// A sample of `bits` bits for each pixel and channel.
std::uint32_t Sample(std::int32_t x, std::int32_t y, int channel, int bits) {
    const std::uint32_t max = (1u << bits) - 1;
    return (std::uint32_t(x) * 97 + std::uint32_t(y) * 31 + std::uint32_t(channel) * 59) *
           2654435761u % (max + 1);
}

// Rows of packed samples, most significant bit first, 16-bit ones big-endian.
std::vector<Bytes> Rows(int channels, int bits) {
    std::vector<Bytes> rows;
    for (std::int32_t y = 0; y < kHeight; ++y) {
        Bytes row((std::size_t(kWidth) * channels * bits + 7) / 8, 0);
        for (std::int32_t x = 0; x < kWidth; ++x)
            for (int c = 0; c < channels; ++c) {
                const std::uint32_t v = Sample(x, y, c, bits);
                const std::size_t bit = (std::size_t(x) * channels + c) * bits;
                if (bits == 16) {
                    row[bit / 8] = std::uint8_t(v >> 8);
                    row[bit / 8 + 1] = std::uint8_t(v);
                } else {
                    row[bit / 8] |= std::uint8_t(v << (8 - bits - bit % 8));
                }
            }
        rows.push_back(row);
    }
    return rows;
}

// A sample as 8 bits: smaller depths scaled up, 16 bits scaled down with
// rounding.
unsigned Eight(std::uint32_t v, int bits) {
    return bits == 16 ? (v * 255 + 32767) / 65535 : v * 255 / ((1u << bits) - 1);
}

struct PngCase {
    const char* what;
    int colorType, bits;
    bool interlaced;
    TargetFormat target;
    std::vector<std::uint16_t> transparent; // tRNS key
};

int Channels(int colorType) {
    static const int channels[7] = {1, 0, 3, 1, 2, 0, 4};
    return channels[colorType];
}

Color32 ExpectedColor(const PngCase& c, std::int32_t x, std::int32_t y) {
    const int n = Channels(c.colorType);
    if (c.colorType == PNG_COLOR_TYPE_PALETTE) { // entry i: (i * 5, 255 - i, i * 3), alpha i * 17
        const unsigned i = Sample(x, y, 0, c.bits);
        return MakeColor32(i * 5 & 0xFF, (255 - i) & 0xFF, i * 3 & 0xFF, i * 17 & 0xFF);
    }
    unsigned e[4] = {};
    bool keyed = !c.transparent.empty();
    for (int i = 0; i < n; ++i) {
        e[i] = Eight(Sample(x, y, i, c.bits), c.bits);
        keyed = keyed && Sample(x, y, i, c.bits) == c.transparent[std::size_t(i)];
    }
    const bool color = n >= 3, alpha = n % 2 == 0;
    return MakeColor32(e[0], e[color ? 1 : 0], e[color ? 2 : 0],
                       keyed   ? 0
                       : alpha ? e[n - 1]
                               : 255);
}

test::PngFields FieldsFor(const PngCase& c) {
    test::PngFields fields;
    fields.width = kWidth;
    fields.height = kHeight;
    fields.bitDepth = c.bits;
    fields.colorType = c.colorType;
    fields.interlaced = c.interlaced;
    fields.transparent = c.transparent;
    fields.rows = Rows(Channels(c.colorType), c.bits);
    if (c.colorType == PNG_COLOR_TYPE_PALETTE)
        for (unsigned i = 0; i < (1u << c.bits); ++i)
            fields.palette.push_back({std::uint8_t(i * 5), std::uint8_t(255 - i),
                                      std::uint8_t(i * 3), std::uint8_t(i * 17)});
    return fields;
}

TEST(PngFormat, ReadsEveryColorTypeAndDepth) {
    const int gray = PNG_COLOR_TYPE_GRAY, grayAlpha = PNG_COLOR_TYPE_GRAY_ALPHA;
    const int rgb = PNG_COLOR_TYPE_RGB, rgba = PNG_COLOR_TYPE_RGB_ALPHA;
    const int palette = PNG_COLOR_TYPE_PALETTE;
    // The tRNS key of the pixel at (x, y): its gray or its three color samples.
    const auto KeyOf = [](std::int32_t x, std::int32_t y, int bits, int channels) {
        std::vector<std::uint16_t> key;
        for (int c = 0; c < channels; ++c)
            key.push_back(std::uint16_t(Sample(x, y, c, bits)));
        return key;
    };
    const PngCase cases[] = {
        {"gray 1", gray, 1, false, TargetFormat::Mono, {}},
        {"gray 2", gray, 2, false, TargetFormat::Palette4, {}},
        {"gray 4", gray, 4, true, TargetFormat::Palette4, {}},
        {"gray 8 keyed", gray, 8, false, TargetFormat::Palette8, KeyOf(3, 2, 8, 1)},
        {"gray 16", gray, 16, false, TargetFormat::Palette8, {}},
        {"gray 16 keyed", gray, 16, true, TargetFormat::Rgba32, KeyOf(1, 1, 16, 1)},
        {"gray alpha 8", grayAlpha, 8, false, TargetFormat::Rgba32, {}},
        {"gray alpha 16", grayAlpha, 16, true, TargetFormat::Rgba32, {}},
        {"rgb 8", rgb, 8, false, TargetFormat::Rgb24, {}},
        {"rgb 8 keyed", rgb, 8, true, TargetFormat::Rgb24, KeyOf(4, 0, 8, 3)},
        {"rgb 16", rgb, 16, false, TargetFormat::Rgb24, {}},
        {"rgb 16 keyed", rgb, 16, false, TargetFormat::Rgba32, KeyOf(2, 3, 16, 3)},
        {"rgba 8", rgba, 8, true, TargetFormat::Rgba32, {}},
        {"rgba 16", rgba, 16, false, TargetFormat::Rgba32, {}},
        {"palette 1", palette, 1, false, TargetFormat::Mono, {}},
        {"palette 2", palette, 2, true, TargetFormat::Palette4, {}},
        {"palette 4", palette, 4, false, TargetFormat::Palette4, {}},
        {"palette 8", palette, 8, true, TargetFormat::Palette8, {}},
    };
    test::FormatHost folder;
    for (const PngCase& c : cases) {
        const std::string path = folder.file("in.png");
        test::WriteBytes(path, test::PngFile(FieldsFor(c)));
        std::string error;
        const std::unique_ptr<Project> project = folder.import(path, &error);
        ASSERT_TRUE(project) << c.what << ": " << error;
        const Image& image = *project->firstImage();
        EXPECT_EQ(image.targetFormat(), c.target) << c.what;
        PixelArray expected(kWidth, kHeight);
        for (std::int32_t y = 0; y < kHeight; ++y)
            for (std::int32_t x = 0; x < kWidth; ++x)
                expected.set(x, y, ExpectedColor(c, x, y));
        test::ExpectSameVisible(expected, image.composite(), c.what);
    }
}

// Sets a chunk's CRC, so that a change to the chunk itself is judged.
void FixCrc(Bytes& file, std::size_t chunkAt, std::uint32_t length) {
    const std::uint32_t crc = std::uint32_t(crc32(0, file.data() + chunkAt + 4, length + 4));
    for (int i = 0; i < 4; ++i)
        file[chunkAt + 8 + length + std::size_t(i)] = std::uint8_t(crc >> (24 - 8 * i));
}

// A private chunk of `size` zero bytes after the header: room that makes a
// large claimed size possible.
void InsertPadding(Bytes& file, std::uint32_t size) {
    Bytes chunk(12 + size, 0);
    for (int i = 0; i < 4; ++i) {
        chunk[std::size_t(i)] = std::uint8_t(size >> (24 - 8 * i));
        chunk[4 + std::size_t(i)] = std::uint8_t("prVt"[i]);
    }
    FixCrc(chunk, 0, size);
    file.insert(file.begin() + 33, chunk.begin(), chunk.end());
}

// Cuts and random changes are swept in DamagedFilesTest; these are the
// damages a sweep does not reach, each with the message it must give.
TEST(PngFormat, DamagedFilesEndInTheHostsMessage) {
    const PngCase sound{"rgba", PNG_COLOR_TYPE_RGB_ALPHA, 8, false, TargetFormat::Rgba32, {}};
    const struct {
        const char* what;
        std::function<void(Bytes&)> damage;
        const char* message;
    } cases[] = {
        {"a giant in a small file",
         [](Bytes& b) {
             b[17] = 0xFF;
             b[21] = 0xFF;
             FixCrc(b, 8, 13);
         },
         "Invalid data"},
        {"a giant with room for it",
         [](Bytes& b) {
             b[18] = b[22] = 0x30; // 12288 x 12288
             b[19] = b[23] = 0;
             FixCrc(b, 8, 13);
             InsertPadding(b, 600000);
         },
         "Cannot allocate memory"},
    };
    test::FormatHost folder;
    for (const auto& c : cases) {
        Bytes file = test::PngFile(FieldsFor(sound));
        c.damage(file);
        test::WriteBytes(folder.file("bad.png"), file);
        std::string error;
        EXPECT_FALSE(folder.import(folder.file("bad.png"), &error)) << c.what;
        EXPECT_EQ(error, c.message) << c.what;
    }
}

} // namespace
} // namespace kv
