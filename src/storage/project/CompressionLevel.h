#pragma once
#include <cstdint>
#include <optional>

namespace kv {

// How hard the project writer compresses pixels: the user's
// "Project.File.Compression" setting and the --compression option.
enum class CompressionLevel : std::int32_t {
    Raw = 0,       // no compression
    Fast = 1,      // LZW
    Strongest = 2, // LZ77 with a range coder, predictions chosen by estimate
};

// The level a number names, or nothing for a number that names none.
constexpr std::optional<CompressionLevel> CompressionLevelFromNumber(int number) {
    if (number < 0 || number > 2) return std::nullopt;
    return static_cast<CompressionLevel>(number);
}

} // namespace kv
