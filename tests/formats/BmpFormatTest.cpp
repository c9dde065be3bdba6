// The BMP plug-in: every header generation, depth, 8-bit field layout and
// run-length code, rows either way up; damage. Export is judged in RoundTripTest.
#include "FormatTestSupport.h"
#include "HandMadeFiles.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

using test::Bytes;
using test::DibFields;

constexpr std::int32_t kW = 9, kH = 5;

Color32 Pattern(std::int32_t x, std::int32_t y) {
    return MakeColor32(unsigned(x * 29 + y * 3) & 0xFF, unsigned(y * 51 + 7) & 0xFF,
                       unsigned(x * y * 13) & 0xFF, unsigned(x * 31 + y) & 0xFF);
}

std::vector<Color32> Palette(std::uint32_t count) {
    std::vector<Color32> p;
    for (std::uint32_t i = 0; i < count; ++i)
        p.push_back(MakeColor32(i * 7 & 0xFF, i * 13 & 0xFF, 255 - (i & 0xFF), 255));
    return p;
}

// Packs the pattern's components into the given 8-bit masks.
std::uint32_t Pack(Color32 c, const std::array<std::uint32_t, 4>& masks) {
    const unsigned values[] = {RedOf(c), GreenOf(c), BlueOf(c), AlphaOf(c)};
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        if (masks[i]) v |= std::uint32_t(values[i]) << __builtin_ctz(masks[i]);
    return v;
}

struct BmpCase {
    const char* what;
    DibFields fields;
    TargetFormat target;
    std::function<Color32(std::int32_t, std::int32_t)> color;
};

BmpCase Case(const char* what, std::uint32_t header, std::uint32_t bits, TargetFormat target,
             bool topDown) {
    BmpCase c{what, {}, target, {}};
    c.fields.width = kW;
    c.fields.height = kH;
    c.fields.headerSize = header;
    c.fields.bits = bits;
    c.fields.topDown = topDown;
    return c;
}

BmpCase Indexed(const char* what, std::uint32_t header, std::uint32_t bits, std::uint32_t colors,
                TargetFormat target, bool topDown = false) {
    BmpCase c = Case(what, header, bits, target, topDown);
    c.fields.colorsUsed = colors == (1u << bits) ? 0 : colors;
    c.fields.palette = Palette(colors);
    c.fields.pixel = [colors](std::int32_t x, std::int32_t y) {
        return std::uint32_t(x * 3 + y) % colors;
    };
    c.color = [f = c.fields](std::int32_t x, std::int32_t y) { return f.palette[f.pixel(x, y)]; };
    return c;
}

BmpCase Fields(const char* what, std::uint32_t header, std::uint32_t compression,
               std::uint32_t bits, std::array<std::uint32_t, 4> masks, TargetFormat target,
               bool topDown = false) {
    BmpCase c = Case(what, header, bits, target, topDown);
    c.fields.compression = compression;
    c.fields.masks = masks;
    c.fields.pixel = [masks](std::int32_t x, std::int32_t y) { return Pack(Pattern(x, y), masks); };
    c.color = [masks](std::int32_t x, std::int32_t y) {
        return masks[3] ? Pattern(x, y) : WithAlpha(Pattern(x, y), 255);
    };
    return c;
}

// 8 x 4 pixels from run-length codes; `rows` gives the palette index of
// each pixel, top row first, -1 where the codes skip it.
BmpCase RunLength(const char* what, std::uint32_t bits, Bytes codes,
                  std::vector<std::vector<int>> rows) {
    BmpCase c =
        Case(what, 40, bits, bits == 8 ? TargetFormat::Palette8 : TargetFormat::Palette4, false);
    c.fields.width = 8;
    c.fields.height = 4;
    c.fields.compression = bits == 8 ? 1 : 2;
    c.fields.palette = Palette(1u << bits);
    c.fields.codes = std::move(codes);
    const std::vector<Color32> palette = c.fields.palette;
    c.color = [palette, rows](std::int32_t x, std::int32_t y) {
        const int index = rows[std::size_t(y)][std::size_t(x)];
        return index < 0 ? Color32(0) : palette[std::size_t(index)];
    };
    return c;
}

const std::array<std::uint32_t, 4> k888 = {0xFF0000, 0xFF00, 0xFF, 0};
const std::array<std::uint32_t, 4> k8888 = {0xFF0000, 0xFF00, 0xFF, 0xFF000000u};
const std::array<std::uint32_t, 4> kRgba = {0xFF, 0xFF00, 0xFF0000, 0xFF000000u};

TEST(BmpFormat, ReadsEveryHeaderDepthLayoutAndRunLengthEscape) {
    const BmpCase cases[] = {
        Indexed("core 1 bpp", 12, 1, 2, TargetFormat::Mono),
        Indexed("core 4 bpp", 12, 4, 16, TargetFormat::Palette4),
        Indexed("core 8 bpp", 12, 8, 256, TargetFormat::Palette8),
        Fields("core 24 bpp", 12, 0, 24, k888, TargetFormat::Rgb24),
        Indexed("OS/2 2.x short 8 bpp", 16, 8, 256, TargetFormat::Palette8),
        Fields("OS/2 2.x 24 bpp", 64, 0, 24, k888, TargetFormat::Rgb24),
        Indexed("1 bpp", 40, 1, 2, TargetFormat::Mono),
        Indexed("4 bpp, 9 colors", 40, 4, 9, TargetFormat::Palette4),
        Indexed("8 bpp, 20 colors", 40, 8, 20, TargetFormat::Palette8),
        Indexed("8 bpp top-down", 40, 8, 256, TargetFormat::Palette8, true),
        Fields("24 bpp", 40, 0, 24, k888, TargetFormat::Rgb24),
        Fields("24 bpp top-down", 40, 0, 24, k888, TargetFormat::Rgb24, true),
        Fields("32 bpp with alpha bytes", 40, 0, 32, k8888, TargetFormat::Rgba32),
        Fields("V2 32 bpp fields", 52, 3, 32, k888, TargetFormat::Rgb24),
        Fields("V3 RGBA fields", 56, 3, 32, kRgba, TargetFormat::Rgba32),
        Fields("V4 32 bpp", 108, 3, 32, k8888, TargetFormat::Rgba32, true),
        Fields("V5 32 bpp", 124, 3, 32, k8888, TargetFormat::Rgba32),
        RunLength("RLE8", 8,
                  {3, 7, 0, 3, 1, 2, 3, 0, 0, 0, // run, literal of 3 (padded), end of line
                   0, 2, 2, 1, 2, 9, 0, 0,       // jump 2 right, 1 up; run; end of line
                   8, 4, 0, 1},                  // a full row, end of bitmap
                  {{4, 4, 4, 4, 4, 4, 4, 4},
                   {-1, -1, 9, 9, -1, -1, -1, -1},
                   {-1, -1, -1, -1, -1, -1, -1, -1},
                   {7, 7, 7, 1, 2, 3, -1, -1}}),
        RunLength("RLE4", 4,
                  {5, 0x12, 0, 3, 0x34, 0x50, 0, 0, // alternating run, literal of 3, end of line
                   0, 2, 1, 0, 4, 0xAB, 0, 1},      // jump 1 right, run, end of bitmap
                  {{-1, -1, -1, -1, -1, -1, -1, -1},
                   {-1, -1, -1, -1, -1, -1, -1, -1},
                   {-1, 10, 11, 10, 11, -1, -1, -1},
                   {1, 2, 1, 2, 1, 3, 4, 5}}),
    };
    test::FormatHost folder;
    for (const BmpCase& c : cases) {
        test::WriteBytes(folder.file("in.bmp"), test::BmpFile(c.fields));
        std::string error;
        const std::unique_ptr<Project> project = folder.import(folder.file("in.bmp"), &error);
        ASSERT_TRUE(project) << c.what << ": " << error;
        const Image& image = *project->firstImage();
        EXPECT_EQ(image.targetFormat(), c.target) << c.what;
        PixelArray expected(c.fields.width, c.fields.height);
        for (std::int32_t y = 0; y < expected.height(); ++y)
            for (std::int32_t x = 0; x < expected.width(); ++x)
                expected.set(x, y, c.color(x, y));
        test::ExpectSameVisible(expected, image.composite(), c.what);
        EXPECT_TRUE(c.fields.headerSize < 32 || image.horizontalResolution() == 2835.0f) << c.what;
    }
}

// Cuts and random changes are swept in DamagedFilesTest; these are the
// damages a sweep does not reach, each with the message it must give.
TEST(BmpFormat, DamagedFilesEndInTheHostsMessage) {
    const Bytes sound = test::BmpFile(Indexed("sound", 40, 8, 256, TargetFormat::Palette8).fields);
    const auto rleWith = [](Bytes codes) {
        return test::BmpFile(RunLength("damaged", 8, std::move(codes), {}).fields);
    };
    const struct {
        const char* what;
        Bytes file;
        std::size_t at;
        std::vector<std::uint32_t> values; // 32-bit words written from `at` on
        const char* message;
    } cases[] = {
        {"top-down RLE", rleWith({0, 1}), 22, {std::uint32_t(-4)}, "Invalid data"},
        {"embedded PNG", sound, 30, {5}, "Unsupported format"},
        {"height INT_MIN", sound, 22, {0x80000000u}, "Invalid data"},
        {"a giant of few pixels", sound, 18, {30000, 30000}, "Unexpected end of file"},
        {"an empty giant in RLE", rleWith({0, 1}), 18, {40000, 40000}, "Cannot allocate memory"},
        {"no palette room", sound, 10, {14 + 40 + 2}, "Invalid data"},
        {"a literal past the end", rleWith({0, 9, 1, 2}), 0, {}, "Unexpected end of file"},
    };
    test::FormatHost folder;
    for (const auto& c : cases) {
        Bytes file = c.file;
        for (std::size_t i = 0; i < c.values.size(); ++i)
            test::PutU32(file, c.at + 4 * i, c.values[i]);
        test::WriteBytes(folder.file("bad.bmp"), file);
        std::string error;
        EXPECT_FALSE(folder.import(folder.file("bad.bmp"), &error)) << c.what;
        EXPECT_EQ(error, c.message) << c.what;
    }
}

} // namespace
} // namespace kv
