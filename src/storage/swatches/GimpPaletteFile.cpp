#include "storage/swatches/GimpPaletteFile.h"

#include "storage/swatches/PaletteText.h"

#include <cstdio>

namespace kv {
namespace {

constexpr std::string_view kHeader = "GIMP Palette";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "#RRGGBBAA" naming this very colour gives its alpha; any other name
// leaves it opaque (the format has no alpha of its own).
unsigned AlphaOfName(std::string_view name, Color32 color) {
    if (name.size() != 9 || name[0] != '#') return 255;
    unsigned bytes[4] = {};
    for (std::size_t i = 0; i < 4; ++i) {
        const int high = HexDigit(name[1 + 2 * i]), low = HexDigit(name[2 + 2 * i]);
        if (high < 0 || low < 0) return 255;
        bytes[i] = static_cast<unsigned>(high * 16 + low);
    }
    if (MakeColor32(bytes[0], bytes[1], bytes[2], 255) != color) return 255;
    return bytes[3];
}

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// The name line must stay one line whatever the file was called.
std::string OneLine(std::string_view name) {
    std::string line;
    for (const char c : name)
        line.push_back(static_cast<unsigned char>(c) < ' ' || c == 0x7F ? ' ' : c);
    return line;
}

std::string FileStemOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

} // namespace

std::vector<Color32> ReadGimpPalette(std::string_view text, const std::string& fileName) {
    PaletteLines lines(text);
    std::string_view line;
    if (!lines.next(line) || TrimPaletteSpace(line) != kHeader)
        ThrowPaletteError(
            fileName, "Unknown file format: a GIMP palette starts with the line \"GIMP Palette\"");
    std::vector<Color32> colors;
    while (lines.next(line)) {
        const std::string_view trimmed = TrimPaletteSpace(line);
        if (trimmed.empty() || trimmed.front() == '#') continue;
        // The header's optional lines stand before the first colour.
        if (colors.empty() && (StartsWith(trimmed, "Name:") || StartsWith(trimmed, "Columns:")))
            continue;
        if (colors.size() == kMaxPaletteColors) CheckPaletteColorCount(fileName, colors.size() + 1);
        std::string_view rest;
        const Color32 color = ReadPaletteRgb(line, fileName, lines.number(), rest);
        colors.push_back(WithAlpha(color, AlphaOfName(TrimPaletteSpace(rest), color)));
    }
    CheckPaletteColorCount(fileName, colors.size());
    return colors;
}

std::string GimpPaletteText(const std::vector<Color32>& swatches, std::string_view setName) {
    std::string text = "GIMP Palette\nName: " + OneLine(setName) + "\nColumns: 16\n#\n";
    for (const Color32 c : swatches) {
        char line[48];
        const unsigned r = RedOf(c), g = GreenOf(c), b = BlueOf(c), a = AlphaOf(c);
        if (a == 255)
            std::snprintf(line, sizeof line, "%3u %3u %3u\t#%02X%02X%02X\n", r, g, b, r, g, b);
        else
            std::snprintf(line, sizeof line, "%3u %3u %3u\t#%02X%02X%02X%02X\n", r, g, b, r, g, b,
                          a);
        text += line;
    }
    return text;
}

std::vector<Color32> LoadGimpPalette(const std::string& path) {
    return ReadGimpPalette(ReadPaletteFile(path), path);
}

void SaveGimpPalette(const std::string& path, const std::vector<Color32>& swatches) {
    CheckPaletteToSave(path, swatches);
    WritePaletteFile(path, GimpPaletteText(swatches, FileStemOf(path)));
}

} // namespace kv
