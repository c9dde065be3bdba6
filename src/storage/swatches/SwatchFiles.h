#pragma once
// The file types the swatch commands read and write, chosen by the file's
// extension; our own swatch set comes first and is the default.
#include "model/Color32.h"

#include <string>
#include <vector>

namespace kv {

enum class SwatchFileType { Korvane, Gimp, Jasc };

struct SwatchFileTypeInfo {
    SwatchFileType type;
    const char* name;      // as file dialogs show it
    const char* extension; // without the dot
};

// Our own type first.
const std::vector<SwatchFileTypeInfo>& SwatchFileTypes();
// By the file name's extension, compared without case; any other name is
// our own type.
SwatchFileType SwatchFileTypeOf(const std::string& path);

// `initial` is the colour of a swatch set entry that names none (our own
// type only). Failures throw CKVException with the message for the user.
std::vector<Color32> LoadSwatchFile(const std::string& path, Color32 initial);
void SaveSwatchFile(const std::string& path, const std::vector<Color32>& swatches);

} // namespace kv
