#include "commands/host/DisplayTexts.h"

#include <cstdio>

namespace kv {

std::string ByteSizeText(std::uint64_t bytes) {
    char text[64];
    if (bytes < 1024)
        std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(bytes));
    else if (bytes < 1048576)
        std::snprintf(text, sizeof text, "%.2fK", static_cast<double>(bytes) / 1024.0);
    else
        std::snprintf(text, sizeof text, "%.2fM", static_cast<double>(bytes) / 1048576.0);
    return text;
}

const char* TargetFormatShortName(std::uint32_t code) {
    switch (code) {
    case 0:
        return "NULL";
    case 0x10001:
        return "2 colors";
    case 0x40001:
        return "16 colors";
    case 0x80001:
        return "256 colors";
    case 0x180000:
        return "RGB";
    case 0x200000:
        return "RGBA";
    default:
        return "Unknown";
    }
}

} // namespace kv
