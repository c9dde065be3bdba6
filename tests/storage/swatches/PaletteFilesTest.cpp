#include "storage/swatches/GimpPaletteFile.h"
#include "storage/swatches/JascPaletteFile.h"
#include "storage/swatches/PaletteText.h"
#include "storage/swatches/SwatchFiles.h"
#include "storage/swatches/SwatchSetFile.h"

#include "platform/Exceptions.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kv::test {
namespace {

using Colors = std::vector<Color32>;
using Reader = std::function<Colors(std::string_view, const std::string&)>;

constexpr Color32 Rgb(unsigned r, unsigned g, unsigned b) {
    return MakeColor32(r, g, b, 255);
}

// The message a read fails with, or "" when it succeeds.
std::string ReadError(const Reader& read, const std::string& text) {
    try {
        read(text, "f");
    } catch (const CKVException& e) {
        return e.message();
    }
    return {};
}

std::string Lines(const std::string& header, std::size_t count, const std::string& line) {
    std::string text = header;
    for (std::size_t i = 0; i < count; ++i)
        text += line;
    return text;
}

struct Good {
    std::string text;
    Colors colors;
};
struct Damaged {
    std::string text;
    std::string message;
};

TEST(GimpPalette, ReadsWhatOtherProgramsWrite) {
    const Good cases[] = {
        {"GIMP Palette\nName: Two\nColumns: 4\n#\n255   0   0\tRed\n  0 128 255 Sky blue\n",
         {Rgb(255, 0, 0), Rgb(0, 128, 255)}},
        {"GIMP Palette\r\nName: Two\r\n#\r\n255 0 0\tRed\r\n0 128 255\r\n",
         {Rgb(255, 0, 0), Rgb(0, 128, 255)}},
        // A byte order mark, tabs, trailing blanks, comments between colours, no final break.
        {"\xEF\xBB\xBFGIMP Palette \t\n\n1\t2\t3\t\n  # note\n\n007 8 9",
         {Rgb(1, 2, 3), Rgb(7, 8, 9)}},
        {"GIMP Palette\r1 2 3\r4 5 6\r", {Rgb(1, 2, 3), Rgb(4, 5, 6)}},
        // Names that spell this very colour with alpha carry it; others do not.
        {"GIMP Palette\n10 20 30 #0A141E80\n10 20 30 #0a141e00\n10 20 30 #FFFFFF80\n"
         "10 20 30 #0A141E\n10 20 30 #0A141E8\n",
         {MakeColor32(10, 20, 30, 0x80), MakeColor32(10, 20, 30, 0), Rgb(10, 20, 30),
          Rgb(10, 20, 30), Rgb(10, 20, 30)}},
        {Lines("GIMP Palette\n", kMaxPaletteColors, "0 0 0\n"),
         Colors(kMaxPaletteColors, Rgb(0, 0, 0))},
    };
    for (const Good& c : cases)
        EXPECT_EQ(ReadGimpPalette(c.text, "f"), c.colors) << c.text.substr(0, 80);
}

// Each family's message is checked in full once; the rest by the part that names the fault.
TEST(GimpPalette, DamagedFilesNameTheFileAndTheFault) {
    const Damaged cases[] = {
        {"", "f: Unknown file format: a GIMP palette starts with the line \"GIMP Palette\""},
        {"GIMP palette\n1 2 3\n", "f: Unknown file format"},
        {"GIMP Palette\nName: x\n#\n", "f: Invalid data: the palette holds no colors"},
        {"GIMP Palette\n1 2 3\n256 0 0\n", "line 3: the color value \"256\" is out of range"},
        {"GIMP Palette\n0 0 99999999999999999999999\n", "\"9999999999999999...\" is out"},
        {"GIMP Palette\r\n\r\n1 2\r\n", "line 3: three color values expected"},
        {"GIMP Palette\n1 2 x\n", "line 2: \"x\" is not a color value (0 to 255)"},
        {"GIMP Palette\n1 2 3\nName: late\n", "line 3: \"Name:\" is not"}, // header before colours
        {Lines("GIMP Palette\n", kMaxPaletteColors + 1, "1 1 1\n"),
         "f: Too many colors: a swatch set holds at most 65536"},
    };
    for (const Damaged& c : cases)
        EXPECT_NE(ReadError(ReadGimpPalette, c.text).find(c.message), std::string::npos)
            << c.text.substr(0, 80);
}

TEST(JascPalette, ReadsWhatOtherProgramsWrite) {
    const Good cases[] = {
        {"JASC-PAL\r\n0100\r\n2\r\n255 0 0\r\n0 0 255\r\n", {Rgb(255, 0, 0), Rgb(0, 0, 255)}},
        {"JASC-PAL\n0100\n2\n 1  2\t3 \n\n4 5 6\n\n\n", {Rgb(1, 2, 3), Rgb(4, 5, 6)}},
        {"JASC-PAL \r\n0100\r\n0001\r\n9 9 9", {Rgb(9, 9, 9)}},
        {Lines("JASC-PAL\n0100\n65536\n", kMaxPaletteColors, "0 0 0\n"),
         Colors(kMaxPaletteColors, Rgb(0, 0, 0))},
    };
    for (const Good& c : cases)
        EXPECT_EQ(ReadJascPalette(c.text, "f"), c.colors) << c.text.substr(0, 80);
}

TEST(JascPalette, DamagedFilesNameTheFileAndTheFault) {
    const std::string head = "JASC-PAL\r\n0100\r\n";
    const Damaged cases[] = {
        {"", "f: Unknown file format: a JASC palette starts with the line \"JASC-PAL\""},
        {std::string("RIFF\x10\0\0\0PAL data", 16), "f: Unknown file format"},
        {"JASC-PAL\r\n", "f: Invalid data: the file ends before its version"},
        {"JASC-PAL\r\n0200\r\n1\r\n1 2 3\r\n", "f: Unsupported format: only JASC palettes of"},
        {head, "ends before its color count"},
        {head + "\r\n1 2 3\r\n", "line 3: the color count is not a number"},
        {head + "0\r\n", "holds no colors"},
        {head + "65537\r\n", "line 3: the color count is more than a swatch set holds (65536)"},
        {head + "3\r\n1 2 3\r\n4 5 6\r\n", "the palette announces 3 colors but holds 2"},
        {head + "1\r\n1 2 3\r\n4 5 6\r\n", "announces 1 color but holds more"},
        {head + "1\r\n1 2 3 255\r\n", "line 4: more than the three color values"},
        {head + "2\r\n1 2 3\r\n1 300 3\r\n", "line 5: the color value \"300\" is out"},
        {head + "1\r\n1 2\r\n", "line 4: three color values expected"},
    };
    for (const Damaged& c : cases)
        EXPECT_NE(ReadError(ReadJascPalette, c.text).find(c.message), std::string::npos)
            << c.text.substr(0, 80);
}

TEST(PaletteFiles, WritersLayOutTheirLinesAsOthersExpect) {
    const Colors swatches = {Rgb(255, 0, 16), MakeColor32(1, 22, 3, 0x40)};
    EXPECT_EQ(GimpPaletteText(swatches, "My\nset"), "GIMP Palette\n"
                                                    "Name: My set\n"
                                                    "Columns: 16\n"
                                                    "#\n"
                                                    "255   0  16\t#FF0010\n"
                                                    "  1  22   3\t#01160340\n");
    EXPECT_EQ(JascPaletteText(swatches), "JASC-PAL\r\n0100\r\n2\r\n255 0 16\r\n1 22 3\r\n");
}

TEST(PaletteFiles, RoundTripsKeepEveryColour) {
    Colors every;
    for (unsigned v = 0; v < 256; ++v)
        every.push_back(MakeColor32(v, 255 - v, (v * 7) & 0xFF, v | 1));
    EXPECT_EQ(ReadGimpPalette(GimpPaletteText(every, "all"), "f"), every)
        << "alpha rides in the name";

    Colors opaque;
    for (const Color32 c : every)
        opaque.push_back(WithAlpha(c, 255));
    EXPECT_EQ(ReadJascPalette(JascPaletteText(opaque), "f"), opaque);
    EXPECT_EQ(ReadJascPalette(JascPaletteText(every), "f"), opaque) << "JASC holds no alpha";
}

TEST(SwatchFiles, TheExtensionChoosesTheFormat) {
    const std::pair<const char*, SwatchFileType> cases[] = {
        {"/a/b.gpl", SwatchFileType::Gimp},    {"B.GPL", SwatchFileType::Gimp},
        {"x.Pal", SwatchFileType::Jasc},       {"x.kvcolors", SwatchFileType::Korvane},
        {"/a/plain", SwatchFileType::Korvane}, {"/a.gpl/plain", SwatchFileType::Korvane},
        {"/a/.gpl", SwatchFileType::Korvane},  {"x.gpl.bak", SwatchFileType::Korvane},
    };
    for (const auto& [path, type] : cases)
        EXPECT_EQ(SwatchFileTypeOf(path), type) << path;
    EXPECT_EQ(SwatchFileTypes().front().type, SwatchFileType::Korvane);
}

TEST(SwatchFiles, SavedFilesLoadBackThroughTheirType) {
    TempXdgHome home;
    const Colors swatches = {Rgb(1, 2, 3), MakeColor32(200, 100, 50, 7)};
    for (const char* name : {"s.kvcolors", "s.GPL", "s.pal", "s"}) {
        const std::string path = home.home() + "/" + name;
        SaveSwatchFile(path, swatches);
        Colors expected = swatches;
        if (SwatchFileTypeOf(path) == SwatchFileType::Jasc) expected[1] = Rgb(200, 100, 50);
        EXPECT_EQ(LoadSwatchFile(path, 0), expected) << name;
    }
    EXPECT_EQ(TempXdgHome::readFile(home.home() + "/s").substr(0, 14), "KORVANE.COLORS");
    EXPECT_EQ(TempXdgHome::readFile(home.home() + "/s.GPL").substr(0, 21),
              "GIMP Palette\nName: s\n");
}

TEST(SwatchFiles, RefusedSavesAndUnreadableFilesKeepEverything) {
    TempXdgHome home;
    const std::string path = home.home() + "/keep.gpl";
    TempXdgHome::writeFile(path, "precious");
    EXPECT_THROW(SaveSwatchFile(path, {}), CKVException);
    EXPECT_THROW(SaveSwatchFile(home.home() + "/keep.pal", Colors(kMaxPaletteColors + 1)),
                 CKVException);
    EXPECT_THROW(SaveSwatchFile(home.home() + "/missing/x.pal", {Rgb(1, 1, 1)}), CKVException);
    EXPECT_EQ(TempXdgHome::readFile(path), "precious");
    EXPECT_EQ(TempXdgHome::listFiles(home.home()), std::vector<std::string>{"keep.gpl"});

    EXPECT_THROW(LoadSwatchFile(home.home() + "/none.pal", 0), CKVException);
    // A huge file is refused by its size, before anything is parsed.
    const std::string big = home.home() + "/big.gpl";
    TempXdgHome::writeFile(big, "GIMP Palette\n" + std::string(kMaxPaletteFileSize, '#'));
    try {
        LoadSwatchFile(big, 0);
        ADD_FAILURE() << "a huge file loaded";
    } catch (const CKVException& e) {
        EXPECT_EQ(e.message(), big + ": The file is too large for a palette (more than 16 MB)");
    }
}

} // namespace
} // namespace kv::test
