#include "storage/swatches/SwatchFiles.h"

#include "storage/swatches/GimpPaletteFile.h"
#include "storage/swatches/JascPaletteFile.h"
#include "storage/swatches/SwatchSetFile.h"

#include <strings.h>

namespace kv {

const std::vector<SwatchFileTypeInfo>& SwatchFileTypes() {
    static const std::vector<SwatchFileTypeInfo> types = {
        {SwatchFileType::Korvane, "Korvane swatch set", "kvcolors"},
        {SwatchFileType::Gimp, "GIMP palette", "gpl"},
        {SwatchFileType::Jasc, "JASC palette", "pal"},
    };
    return types;
}

SwatchFileType SwatchFileTypeOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    // A leading dot names a hidden file rather than starting an extension.
    if (dot == std::string::npos || (slash != std::string::npos && dot <= slash + 1) || dot == 0)
        return SwatchFileType::Korvane;
    const char* extension = path.c_str() + dot + 1;
    for (const SwatchFileTypeInfo& info : SwatchFileTypes())
        if (::strcasecmp(extension, info.extension) == 0) return info.type;
    return SwatchFileType::Korvane;
}

std::vector<Color32> LoadSwatchFile(const std::string& path, Color32 initial) {
    switch (SwatchFileTypeOf(path)) {
    case SwatchFileType::Gimp:
        return LoadGimpPalette(path);
    case SwatchFileType::Jasc:
        return LoadJascPalette(path);
    case SwatchFileType::Korvane:
        break;
    }
    return LoadSwatchSet(path, initial);
}

void SaveSwatchFile(const std::string& path, const std::vector<Color32>& swatches) {
    switch (SwatchFileTypeOf(path)) {
    case SwatchFileType::Gimp:
        return SaveGimpPalette(path, swatches);
    case SwatchFileType::Jasc:
        return SaveJascPalette(path, swatches);
    case SwatchFileType::Korvane:
        break;
    }
    SaveSwatchSet(path, swatches);
}

} // namespace kv
