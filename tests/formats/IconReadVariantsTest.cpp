// Icons and cursors as other programs write them, built byte by byte: every
// entry depth, alpha that says nothing, directories that disagree with their
// entries, short AND bitmaps, PNG entries of any size; and damaged files,
// which must end in the host's error message.
#include "FormatTestSupport.h"
#include "HandMadeFiles.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

using test::Bytes;
using test::DibFields;
using test::IconFileEntry;

// A pattern of colors, and a hidden diagonal band.
Color32 Pattern(std::int32_t x, std::int32_t y) {
    return MakeColor32(unsigned(x * 37 + y) & 0xFF, unsigned(y * 23) & 0xFF,
                       unsigned(x * y + 9) & 0xFF, 255);
}
bool Band(std::int32_t x, std::int32_t y) {
    return (x + y) % 5 == 0;
}
bool NothingHidden(std::int32_t, std::int32_t) {
    return false;
}

std::vector<Color32> SomePalette(std::uint32_t count) {
    std::vector<Color32> palette;
    for (std::uint32_t i = 0; i < count; ++i)
        palette.push_back(MakeColor32(i * 11 & 0xFF, 255 - (i * 3 & 0xFF), i * 29 & 0xFF, 255));
    return palette;
}

// A bitmap of the given size and depth; indexed depths get SomePalette.
DibFields Dib(std::int32_t width, std::int32_t height, std::uint32_t bits,
              std::function<std::uint32_t(std::int32_t, std::int32_t)> pixel) {
    DibFields fields;
    fields.width = width;
    fields.height = height;
    fields.bits = bits;
    if (bits <= 8) fields.palette = SomePalette(1u << bits);
    fields.pixel = std::move(pixel);
    return fields;
}

// Expected colors of an entry: `color`, transparent where hidden.
PixelArray Expected(const DibFields& fields,
                    const std::function<bool(std::int32_t, std::int32_t)>& hidden,
                    const std::function<Color32(std::int32_t, std::int32_t)>& color) {
    PixelArray pixels(fields.width, fields.height);
    for (std::int32_t y = 0; y < fields.height; ++y)
        for (std::int32_t x = 0; x < fields.width; ++x)
            pixels.set(x, y, hidden(x, y) ? 0 : color(x, y));
    return pixels;
}

// A one-entry icon and what it must import as.
struct Variant {
    std::string what;
    Bytes file;
    PixelArray expected;
    TargetFormat target;
};

std::vector<Variant> Variants() {
    std::vector<Variant> v;
    // 32-bit entries use their alpha and ignore the AND bitmap, unless all
    // alpha is zero: then the AND bitmap decides.
    DibFields alpha = Dib(9, 4, 32, [](std::int32_t x, std::int32_t y) {
        return WithAlpha(Pattern(x, y), unsigned(x * 28));
    });
    v.push_back({"alpha", test::IconFile(1, {{9, 4, 0, 1, 32, test::IconBitmapEntry(alpha, Band)}}),
                 Expected(alpha, NothingHidden, [&](auto x, auto y) { return alpha.pixel(x, y); }),
                 TargetFormat::Rgba32});
    DibFields noAlpha =
        Dib(9, 4, 32, [](std::int32_t x, std::int32_t y) { return Pattern(x, y) & 0xFFFFFF; });
    v.push_back({"no alpha",
                 test::IconFile(1, {{9, 4, 0, 1, 32, test::IconBitmapEntry(noAlpha, Band)}}),
                 Expected(noAlpha, Band, Pattern), TargetFormat::Rgba32});
    // Wrong sizes, color count, depth; a size running past the file's end.
    const DibFields four =
        Dib(10, 7, 4, [](std::int32_t x, std::int32_t y) { return std::uint32_t(x + y) % 16; });
    const auto fourColor = [four](auto x, auto y) { return four.palette[four.pixel(x, y)]; };
    v.push_back({"entry wins",
                 test::IconFile(1, {{32, 0, 2, 0, 8, test::IconBitmapEntry(four, Band), 100000}}),
                 Expected(four, Band, fourColor), TargetFormat::Palette4});
    v.push_back(
        {"plain height",
         test::IconFile(1, {{10, 7, 0, 1, 4, test::IconBitmapEntry(four, Band, SIZE_MAX, false)}}),
         Expected(four, Band, fourColor), TargetFormat::Palette4});
    // Mask rows are stored bottom first, four bytes each: 12 bytes hide the
    // bottom three rows, 14 four, a missing mask hides nothing.
    const DibFields rgb = Dib(8, 8, 24, Pattern);
    for (const std::size_t maskBytes : {std::size_t{0}, std::size_t{12}, std::size_t{14}}) {
        const std::int32_t hiddenRows = std::int32_t(maskBytes + 3) / 4;
        v.push_back({"mask bytes " + std::to_string(maskBytes),
                     test::IconFile(1, {{8, 8, 0, 1, 24,
                                         test::IconBitmapEntry(
                                             rgb, [](auto, auto) { return true; }, maskBytes)}}),
                     Expected(
                         rgb, [=](auto, auto y) { return y >= 8 - hiddenRows; }, Pattern),
                     TargetFormat::Rgb24});
    }
    return v;
}

TEST(IconVariants, EntriesAsOtherProgramsWriteThem) {
    test::FormatHost folder;
    for (const Variant& c : Variants()) {
        test::WriteBytes(folder.file("v.ico"), c.file);
        std::string error;
        const std::unique_ptr<Project> project = folder.import(folder.file("v.ico"), &error);
        ASSERT_TRUE(project) << c.what << ": " << error;
        ASSERT_EQ(project->imageCount(), 1) << c.what;
        EXPECT_EQ(project->firstImage()->targetFormat(), c.target) << c.what;
        test::ExpectSameVisible(c.expected, test::ImportedPixels(*project->firstImage()), c.what);
    }
}

test::PngFields RgbaPng(std::int32_t width, std::int32_t height) {
    test::PngFields png;
    png.width = width;
    png.height = height;
    for (std::int32_t y = 0; y < height; ++y) {
        Bytes row;
        for (std::int32_t x = 0; x < width; ++x) {
            const Color32 c = Pattern(x, y);
            row.insert(row.end(), {std::uint8_t(RedOf(c)), std::uint8_t(GreenOf(c)),
                                   std::uint8_t(BlueOf(c)), std::uint8_t(x * 5)});
        }
        png.rows.push_back(row);
    }
    return png;
}

// A sound two-entry icon to damage.
Bytes SoundIcon() {
    const DibFields fields =
        Dib(8, 8, 8, [](std::int32_t x, std::int32_t y) { return std::uint32_t(x + 8 * y); });
    return test::IconFile(1, {{8, 8, 0, 1, 8, test::IconBitmapEntry(fields, Band)},
                              {16, 16, 0, 1, 32, test::PngFile(RgbaPng(16, 16))}});
}

// Cuts and random changes are swept in DamagedFilesTest; these are the
// damages a sweep does not reach, each with the message it must give.
TEST(IconVariants, DamagedFilesEndInTheHostsMessage) {
    test::FormatHost folder;
    const std::size_t first = 6 + 32, second = first + 40 + 1024 + 64 + 32;
    const struct {
        const char* what;
        std::function<void(Bytes&)> damage;
        const char* message;
    } cases[] = {
        {"reserved word", [](Bytes& b) { b[0] = 1; }, "Unknown file type"},
        {"type 3", [](Bytes& b) { b[2] = 3; }, "Unknown file type"},
        {"no entries", [](Bytes& b) { b[4] = 0; }, "Unknown file type"},
        {"directory past the end", [](Bytes& b) { b[4] = 200; }, "Unknown file type"},
        {"entry inside the directory", [](Bytes& b) { test::PutU32(b, 6 + 12, 10); },
         "Invalid data"},
        {"header size 0", [=](Bytes& b) { test::PutU32(b, first, 0); }, "Invalid data"},
        {"width negative", [=](Bytes& b) { test::PutU32(b, first + 4, 0x80000000u); },
         "Invalid data"},
        {"height of a giant", [=](Bytes& b) { test::PutU32(b, first + 8, 0x7FFFFFFEu); },
         "Invalid data"},
        {"width beyond the data", [=](Bytes& b) { test::PutU32(b, first + 4, 60000); },
         "Unexpected end of file"},
        {"compressed as JPEG", [=](Bytes& b) { test::PutU32(b, first + 16, 4); },
         "Unsupported format"},
        {"PNG header damaged", [=](Bytes& b) { b[second + 12] = 'X'; }, "Invalid data"},
    };
    for (const auto& c : cases) {
        Bytes file = SoundIcon();
        ASSERT_EQ(file[second + 1], 'P');
        c.damage(file);
        test::WriteBytes(folder.file("d.ico"), file);
        std::string error;
        EXPECT_FALSE(folder.import(folder.file("d.ico"), &error)) << c.what;
        EXPECT_EQ(error, c.message) << c.what;
    }
}

} // namespace
} // namespace kv
