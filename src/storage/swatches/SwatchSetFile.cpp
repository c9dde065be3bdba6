#include "storage/swatches/SwatchSetFile.h"

#include "platform/Exceptions.h"
#include "platform/ReplacingFile.h"
#include "storage/keywords/KeywordReader.h"
#include "storage/keywords/KeywordWriter.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <strings.h>

namespace kv {
namespace {

constexpr const char* kTopKeyword = "KORVANE.COLORS";

bool SameKeyword(const std::string& keyword, const char* expected) {
    return ::strcasecmp(keyword.c_str(), expected) == 0;
}

Color32 ReadColorBlock(KeywordReader& reader, Color32 color) {
    reader.enterBlock();
    std::string keyword, value;
    while (reader.nextKeyword(keyword)) {
        if (!SameKeyword(keyword, "RGBA255")) continue;
        if (!reader.readValue(value) || !ParseSwatchText(value, color))
            throw CKVException("Invalid data");
    }
    reader.leaveBlock();
    return color;
}

std::vector<Color32> ReadSwatches(KeywordReader& reader, Color32 initial) {
    std::string keyword, value;
    if (!reader.nextKeyword(keyword) || !SameKeyword(keyword, kTopKeyword))
        throw CKVException("Unknown file format");
    reader.enterBlock();
    // The version's number is read from the start of its value: "1.9" is 1.
    if (!reader.nextKeyword(keyword) || !SameKeyword(keyword, "VERSION") ||
        !reader.readValue(value) || std::strtoul(value.c_str(), nullptr, 10) != 1)
        throw CKVException("Unsupported format");
    std::vector<Color32> swatches;
    while (reader.nextKeyword(keyword)) {
        if (!SameKeyword(keyword, "COLOR")) continue;
        try {
            swatches.push_back(ReadColorBlock(reader, initial));
        } catch (const std::bad_alloc&) {
            throw CKVException(kInsufficientMemory);
        }
    }
    reader.leaveBlock();
    reader.close();
    return swatches;
}

void WriteSwatches(KeywordWriter& writer, const std::vector<Color32>& swatches) {
    writer.beginBlock(kTopKeyword);
    writer.valueStatement("VERSION", "1.0");
    for (const Color32 color : swatches) {
        writer.beginBlock("COLOR");
        writer.valueStatement("RGBA255", SwatchText(color));
        writer.endBlock();
    }
    writer.endBlock();
    writer.close();
}

} // namespace

std::string SwatchText(Color32 color) {
    char text[32];
    if (AlphaOf(color) == 255)
        std::snprintf(text, sizeof text, "%u,%u,%u", RedOf(color), GreenOf(color), BlueOf(color));
    else
        std::snprintf(text, sizeof text, "%u,%u,%u:%u", RedOf(color), GreenOf(color), BlueOf(color),
                      AlphaOf(color));
    return text;
}

bool ParseSwatchText(const std::string& text, Color32& color) {
    unsigned c[4] = {0, 0, 0, 255};
    if (std::sscanf(text.c_str(), "%u,%u,%u:%u", &c[0], &c[1], &c[2], &c[3]) < 3) return false;
    for (unsigned& v : c)
        if (v > 255) v = 255;
    color = MakeColor32(c[0], c[1], c[2], c[3]);
    return true;
}

std::vector<Color32> LoadSwatchSet(const std::string& path, Color32 initial) {
    KeywordReader reader;
    reader.errors().setThrowOnError(true);
    reader.open(path);
    return ReadSwatches(reader, initial);
}

std::vector<Color32> LoadSwatchSetMemory(const void* data, std::size_t size, Color32 initial) {
    KeywordReader reader;
    reader.errors().setThrowOnError(true);
    reader.openMemory(data, size);
    return ReadSwatches(reader, initial);
}

void SaveSwatchSet(const std::string& path, const std::vector<Color32>& swatches) {
    ReplacingFile file(path);
    KeywordWriter writer;
    writer.errors().setThrowOnError(true);
    writer.create(file.temporaryPath());
    WriteSwatches(writer, swatches);
    file.commit();
}

std::vector<std::uint8_t> SwatchSetBytes(const std::vector<Color32>& swatches) {
    std::vector<std::uint8_t> bytes;
    KeywordWriter writer;
    writer.errors().setThrowOnError(true);
    writer.openMemory(bytes);
    WriteSwatches(writer, swatches);
    return bytes;
}

} // namespace kv
