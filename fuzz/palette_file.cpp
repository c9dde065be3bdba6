// Arbitrary bytes as a GIMP and as a JASC palette. Every outcome is a list
// of colours or a message naming the file; a list that loads must write and
// read back the same, and never holds more than a swatch set may.
#include "platform/Exceptions.h"
#include "storage/swatches/GimpPaletteFile.h"
#include "storage/swatches/JascPaletteFile.h"
#include "storage/swatches/PaletteText.h"

#include <cstdint>
#include <string_view>

using namespace kv;

namespace {

constexpr const char* kName = "fuzz.pal";

template <typename Read, typename Write> void Check(std::string_view text, Read read, Write write) {
    std::vector<Color32> colors;
    try {
        colors = read(text, kName);
    } catch (const CKVException& e) {
        if (e.message().rfind(std::string(kName) + ": ", 0) != 0) __builtin_trap();
        return;
    }
    if (colors.empty() || colors.size() > kMaxPaletteColors) __builtin_trap();
    if (read(write(colors), kName) != colors) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Check(text, ReadGimpPalette,
          [](const std::vector<Color32>& c) { return GimpPaletteText(c, "x"); });
    Check(text, ReadJascPalette, JascPaletteText);
    return 0;
}
