#pragma once
#include "model/Color32.h"

#include <string>
#include <vector>

namespace kv {

// Swatch set files (".kvcolors"): a "KORVANE.COLORS" block holding VERSION
// "1.0" and one COLOR block with an RGBA255 statement per swatch.

// The swatches of the file, in order. Failures throw CKVException with the
// message for the user; nothing is returned half-read.
// `initial` is the colour of a swatch whose COLOR block names none.
std::vector<Color32> LoadSwatchSet(const std::string& path, Color32 initial);
std::vector<Color32> LoadSwatchSetMemory(const void* data, std::size_t size, Color32 initial);

// Writes through a temporary file, so a failed save keeps the old file.
void SaveSwatchSet(const std::string& path, const std::vector<Color32>& swatches);
// The file's bytes, as SaveSwatchSet writes them.
std::vector<std::uint8_t> SwatchSetBytes(const std::vector<Color32>& swatches);

// "%d,%d,%d" for an opaque colour, "%d,%d,%d:%d" otherwise.
std::string SwatchText(Color32 color);
// Reads "%u,%u,%u[:%u]"; a missing alpha is 255 and every number above 255
// is 255. False with fewer than three numbers.
bool ParseSwatchText(const std::string& text, Color32& color);

} // namespace kv
