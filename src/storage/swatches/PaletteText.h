#pragma once
// What the two text palette formats (GIMP and JASC) share: their limits,
// walking their lines, reading colour values, and the messages for a file
// that is damaged.
#include "model/Color32.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Our own swatch files have no count to check; palettes from elsewhere do,
// and this is where a count stops being plausible.
inline constexpr std::size_t kMaxPaletteColors = 65536;
// Far above a palette of kMaxPaletteColors named colours; larger files are
// refused before they are read.
inline constexpr std::size_t kMaxPaletteFileSize = 16u << 20;

// Splits text into lines at LF, CR LF or a lone CR; a UTF-8 byte order mark
// before the first line is dropped. Lines keep no line break.
class PaletteLines {
  public:
    explicit PaletteLines(std::string_view text);
    // False at the end of the text.
    bool next(std::string_view& line);
    // The 1-based number of the line next() gave last.
    std::size_t number() const { return m_number; }

  private:
    std::string_view m_rest;
    std::size_t m_number = 0;
    bool m_done = false;
};

bool IsPaletteSpace(char c);
std::string_view TrimPaletteSpace(std::string_view text);

// Reads "R G B" at the start of a line (any spaces or tabs around and
// between); `rest` receives what follows the blue value, which must be empty
// or start with white space. Throws the message for the line when a number
// is missing or out of range.
Color32 ReadPaletteRgb(std::string_view line, const std::string& fileName, std::size_t lineNumber,
                       std::string_view& rest);

// "<file>: <what>"; the caller's texts start with the words the swatch
// files use ("Unknown file format", "Invalid data", ...).
[[noreturn]] void ThrowPaletteError(const std::string& fileName, const std::string& what);
[[noreturn]] void ThrowPaletteLineError(const std::string& fileName, std::size_t lineNumber,
                                        const std::string& what);
// Refuses an empty palette and one above kMaxPaletteColors.
void CheckPaletteColorCount(const std::string& fileName, std::size_t count);

// The file's text, refusing anything above kMaxPaletteFileSize; failures
// throw with the path in the message.
std::string ReadPaletteFile(const std::string& path);
// Writes through a temporary file, so a failed save keeps the old file.
void WritePaletteFile(const std::string& path, std::string_view text);
// Refuses what the readers would refuse back: an empty set and one larger
// than kMaxPaletteColors.
void CheckPaletteToSave(const std::string& path, const std::vector<Color32>& swatches);

} // namespace kv
