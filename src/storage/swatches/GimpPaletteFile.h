#pragma once
// GIMP palettes (".gpl"): the line "GIMP Palette", optional "Name:" and
// "Columns:" lines, then one "R G B name" line per colour; '#' starts a
// comment. They hold no alpha: we name a translucent swatch "#RRGGBBAA"
// and read that name back, so our own saves keep their alpha.
#include "model/Color32.h"

#include <string>
#include <string_view>
#include <vector>

namespace kv {

// The colours in order. Failures throw CKVException with a message that
// starts with fileName; nothing is returned half-read.
std::vector<Color32> ReadGimpPalette(std::string_view text, const std::string& fileName);
// "GIMP Palette", the set's name, "Columns: 16", "#", then "%3d %3d %3d\t"
// and the colour as hexadecimal per line, LF line ends.
std::string GimpPaletteText(const std::vector<Color32>& swatches, std::string_view setName);

std::vector<Color32> LoadGimpPalette(const std::string& path);
// The set is named after the file; refuses an empty set.
void SaveGimpPalette(const std::string& path, const std::vector<Color32>& swatches);

} // namespace kv
