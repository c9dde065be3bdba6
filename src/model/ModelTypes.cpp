#include "model/ModelTypes.h"

namespace kv {

const char* TargetFormatName(TargetFormat f) {
    switch (f) {
    case TargetFormat::Rgba32:
        return "RGB color with alpha channel (32 bpp)";
    case TargetFormat::Rgb24:
        return "RGB color (24 bpp)";
    case TargetFormat::Palette8:
        return "256-color palette (8 bpp)";
    case TargetFormat::Palette4:
        return "16-color palette (4 bpp)";
    case TargetFormat::Mono:
        return "Monochrome (1 bpp)";
    case TargetFormat::None:
        break;
    }
    return nullptr;
}

} // namespace kv
