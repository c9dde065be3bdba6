#pragma once
// JASC palettes (".pal"): the lines "JASC-PAL", "0100", the number of
// colours, then one "R G B" line per colour. They hold no alpha; swatches
// are saved opaque.
#include "model/Color32.h"

#include <string>
#include <string_view>
#include <vector>

namespace kv {

// The colours in order; the count line must agree with the lines present.
// Failures throw CKVException with a message that starts with fileName.
std::vector<Color32> ReadJascPalette(std::string_view text, const std::string& fileName);
// CR LF line ends, as the format's home platform writes them.
std::string JascPaletteText(const std::vector<Color32>& swatches);

std::vector<Color32> LoadJascPalette(const std::string& path);
// Refuses an empty set.
void SaveJascPalette(const std::string& path, const std::vector<Color32>& swatches);

} // namespace kv
