// Icons built byte by byte: alpha that says nothing, and damaged files,
// which must end in the host's error message.
#include "FormatTestSupport.h"
#include "HandMadeFiles.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

using test::Bytes;
using test::DibFields;

// A pattern of colors, and a hidden diagonal band.
Color32 Pattern(std::int32_t x, std::int32_t y) {
    return MakeColor32(unsigned(x * 37 + y) & 0xFF, unsigned(y * 23) & 0xFF,
                       unsigned(x * y + 9) & 0xFF, 255);
}
bool Band(std::int32_t x, std::int32_t y) {
    return (x + y) % 5 == 0;
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

// Old writers leave the alpha of 32-bit entries zero: the AND bitmap decides.
TEST(IconVariants, ThirtyTwoBitEntriesWithoutAlphaUseTheAndBitmap) {
    const DibFields fields =
        Dib(9, 4, 32, [](std::int32_t x, std::int32_t y) { return Pattern(x, y) & 0xFFFFFF; });
    test::FormatHost folder;
    test::WriteBytes(folder.file("v.ico"),
                     test::IconFile(1, {{9, 4, 0, 1, 32, test::IconBitmapEntry(fields, Band)}}));
    std::string error;
    const std::unique_ptr<Project> project = folder.import(folder.file("v.ico"), &error);
    ASSERT_TRUE(project) << error;
    PixelArray expected(9, 4);
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 9; ++x)
            expected.set(x, y, Band(x, y) ? 0 : Pattern(x, y));
    test::ExpectSameVisible(expected, project->firstImage()->composite(), "no alpha");
}

// A sound icon to damage.
Bytes SoundIcon() {
    const DibFields fields =
        Dib(8, 8, 8, [](std::int32_t x, std::int32_t y) { return std::uint32_t(x + 8 * y); });
    return test::IconFile(1, {{8, 8, 0, 1, 8, test::IconBitmapEntry(fields, Band)}});
}

// Cuts and random changes are swept in DamagedFilesTest; these are the
// damages a sweep does not reach, each with the message it must give.
TEST(IconVariants, DamagedFilesEndInTheHostsMessage) {
    test::FormatHost folder;
    const std::size_t first = 6 + 16; // the entry's bitmap header
    const struct {
        const char* what;
        std::function<void(Bytes&)> damage;
        const char* message;
    } cases[] = {
        {"no entries", [](Bytes& b) { b[4] = 0; }, "Unknown file type"},
        {"entry inside the directory", [](Bytes& b) { test::PutU32(b, 6 + 12, 10); },
         "Invalid data"},
        {"width beyond the data", [=](Bytes& b) { test::PutU32(b, first + 4, 60000); },
         "Unexpected end of file"},
    };
    for (const auto& c : cases) {
        Bytes file = SoundIcon();
        c.damage(file);
        test::WriteBytes(folder.file("d.ico"), file);
        std::string error;
        EXPECT_FALSE(folder.import(folder.file("d.ico"), &error)) << c.what;
        EXPECT_EQ(error, c.message) << c.what;
    }
}

} // namespace
} // namespace kv
