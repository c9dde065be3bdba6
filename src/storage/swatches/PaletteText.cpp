#include "storage/swatches/PaletteText.h"

#include "platform/Exceptions.h"
#include "platform/ReplacingFile.h"
#include "platform/WholeFiles.h"

#include <cerrno>
#include <cstring>

namespace kv {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A piece of the file quoted in a message: short, and nothing unprintable.
std::string Quoted(std::string_view text) {
    constexpr std::size_t kLongest = 16;
    std::string quoted = "\"";
    for (std::size_t i = 0; i < text.size() && i < kLongest; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        quoted.push_back(c >= ' ' && c < 0x7F ? static_cast<char>(c) : '?');
    }
    if (text.size() > kLongest) quoted += "...";
    return quoted + "\"";
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

PaletteLines::PaletteLines(std::string_view text) : m_rest(text) {
    if (m_rest.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        m_rest.remove_prefix(kByteOrderMark.size());
}

bool PaletteLines::next(std::string_view& line) {
    if (m_done) return false;
    ++m_number;
    const std::size_t end = m_rest.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        line = m_rest;
        m_done = true;
        return true;
    }
    line = m_rest.substr(0, end);
    const bool crlf = m_rest[end] == '\r' && end + 1 < m_rest.size() && m_rest[end + 1] == '\n';
    m_rest.remove_prefix(end + (crlf ? 2 : 1));
    // A final line break ends the last line rather than starting an empty one.
    if (m_rest.empty()) m_done = true;
    return true;
}

bool IsPaletteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view TrimPaletteSpace(std::string_view text) {
    while (!text.empty() && IsPaletteSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsPaletteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

Color32 ReadPaletteRgb(std::string_view line, const std::string& fileName, std::size_t lineNumber,
                       std::string_view& rest) {
    unsigned rgb[3] = {};
    for (unsigned& value : rgb) {
        while (!line.empty() && IsPaletteSpace(line.front()))
            line.remove_prefix(1);
        std::size_t length = 0;
        while (length < line.size() && !IsPaletteSpace(line[length]))
            ++length;
        const std::string_view token = line.substr(0, length);
        line.remove_prefix(length);
        if (token.empty())
            ThrowPaletteLineError(fileName, lineNumber, "three color values expected");
        const bool negative = token.size() > 1 && token.front() == '-';
        const std::string_view digits = negative ? token.substr(1) : token;
        value = 0;
        for (const char c : digits) {
            if (!IsDigit(c))
                ThrowPaletteLineError(fileName, lineNumber,
                                      Quoted(token) + " is not a color value (0 to 255)");
            // Anything past 255 is out of range; stopping there keeps it from overflowing.
            if (value <= 255) value = value * 10 + static_cast<unsigned>(c - '0');
        }
        if ((negative && value != 0) || value > 255)
            ThrowPaletteLineError(fileName, lineNumber,
                                  "the color value " + Quoted(token) +
                                      " is out of range (0 to 255)");
    }
    rest = line;
    return MakeColor32(rgb[0], rgb[1], rgb[2], 255);
}

void ThrowPaletteError(const std::string& fileName, const std::string& what) {
    throw CKVException(fileName + ": " + what);
}

void ThrowPaletteLineError(const std::string& fileName, std::size_t lineNumber,
                           const std::string& what) {
    ThrowPaletteError(fileName, "Invalid data in line " + std::to_string(lineNumber) + ": " + what);
}

void CheckPaletteColorCount(const std::string& fileName, std::size_t count) {
    if (count == 0) ThrowPaletteError(fileName, "Invalid data: the palette holds no colors");
    if (count > kMaxPaletteColors)
        ThrowPaletteError(fileName, "Too many colors: a swatch set holds at most " +
                                        std::to_string(kMaxPaletteColors));
}

std::string ReadPaletteFile(const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text, kMaxPaletteFileSize)) {
        if (errno == EFBIG)
            ThrowPaletteError(path, "The file is too large for a palette (more than " +
                                        std::to_string(kMaxPaletteFileSize >> 20) + " MB)");
        ThrowPaletteError(path, std::string("Cannot open the file (") + std::strerror(errno) + ")");
    }
    return text;
}

void WritePaletteFile(const std::string& path, std::string_view text) {
    ReplacingFile file(path);
    file.write(text);
    file.commit();
}

void CheckPaletteToSave(const std::string& path, const std::vector<Color32>& swatches) {
    if (swatches.empty()) ThrowPaletteError(path, "An empty swatch set is not saved as a palette");
    if (swatches.size() > kMaxPaletteColors)
        ThrowPaletteError(path, "Too many colors: a palette holds at most " +
                                    std::to_string(kMaxPaletteColors));
}

} // namespace kv
