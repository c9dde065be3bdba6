#pragma once
// Texts the panels and dialogs show about sizes and formats.
#include <cstdint>
#include <string>

namespace kv {

// "%u" below 1024, "%.2fK" below 1048576, "%.2fM" above.
std::string ByteSizeText(std::uint64_t bytes);

// The short name of a target format code: "NULL", "2 colors", "16 colors",
// "256 colors", "RGB", "RGBA", or "Unknown".
const char* TargetFormatShortName(std::uint32_t code);

} // namespace kv
