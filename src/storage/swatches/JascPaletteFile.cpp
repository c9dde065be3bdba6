#include "storage/swatches/JascPaletteFile.h"

#include "storage/swatches/PaletteText.h"

namespace kv {
namespace {

constexpr std::string_view kHeader = "JASC-PAL";
constexpr std::string_view kVersion = "0100";

// The next line, or a message that the file ends before `what`.
std::string_view HeaderLine(PaletteLines& lines, const std::string& fileName, const char* what) {
    std::string_view line;
    if (!lines.next(line))
        ThrowPaletteError(fileName, std::string("Invalid data: the file ends before ") + what);
    return TrimPaletteSpace(line);
}

std::size_t ReadCount(std::string_view text, const std::string& fileName, std::size_t lineNumber) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        ThrowPaletteLineError(fileName, lineNumber, "the color count is not a number");
    std::size_t count = 0;
    for (const char c : text)
        // Stops growing once absurd, so that it cannot overflow.
        if (count <= kMaxPaletteColors) count = count * 10 + static_cast<std::size_t>(c - '0');
    if (count > kMaxPaletteColors)
        ThrowPaletteLineError(fileName, lineNumber,
                              "the color count is more than a swatch set holds (" +
                                  std::to_string(kMaxPaletteColors) + ")");
    return count;
}

[[noreturn]] void ThrowCountMismatch(const std::string& fileName, std::size_t count,
                                     const std::string& held) {
    ThrowPaletteError(fileName, "Invalid data: the palette announces " + std::to_string(count) +
                                    (count == 1 ? " color" : " colors") + " but holds " + held);
}

} // namespace

std::vector<Color32> ReadJascPalette(std::string_view text, const std::string& fileName) {
    PaletteLines lines(text);
    std::string_view line;
    if (!lines.next(line) || TrimPaletteSpace(line) != kHeader)
        ThrowPaletteError(fileName,
                          "Unknown file format: a JASC palette starts with the line \"JASC-PAL\"");
    if (HeaderLine(lines, fileName, "its version") != kVersion)
        ThrowPaletteError(fileName,
                          "Unsupported format: only JASC palettes of version 0100 are read");
    const std::string_view countLine = HeaderLine(lines, fileName, "its color count");
    const std::size_t count = ReadCount(countLine, fileName, lines.number());
    CheckPaletteColorCount(fileName, count);

    std::vector<Color32> colors;
    colors.reserve(count);
    while (lines.next(line)) {
        if (TrimPaletteSpace(line).empty()) continue;
        if (colors.size() == count) ThrowCountMismatch(fileName, count, "more");
        std::string_view rest;
        colors.push_back(ReadPaletteRgb(line, fileName, lines.number(), rest));
        if (!TrimPaletteSpace(rest).empty())
            ThrowPaletteLineError(fileName, lines.number(),
                                  "more than the three color values of a JASC palette");
    }
    if (colors.size() != count) ThrowCountMismatch(fileName, count, std::to_string(colors.size()));
    return colors;
}

std::string JascPaletteText(const std::vector<Color32>& swatches) {
    std::string text = "JASC-PAL\r\n0100\r\n" + std::to_string(swatches.size()) + "\r\n";
    for (const Color32 c : swatches)
        text += std::to_string(RedOf(c)) + ' ' + std::to_string(GreenOf(c)) + ' ' +
                std::to_string(BlueOf(c)) + "\r\n";
    return text;
}

std::vector<Color32> LoadJascPalette(const std::string& path) {
    return ReadJascPalette(ReadPaletteFile(path), path);
}

void SaveJascPalette(const std::string& path, const std::vector<Color32>& swatches) {
    CheckPaletteToSave(path, swatches);
    WritePaletteFile(path, JascPaletteText(swatches));
}

} // namespace kv
