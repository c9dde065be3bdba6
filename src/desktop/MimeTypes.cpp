#include "desktop/MimeTypes.h"

#include <algorithm>
#include <strings.h>

namespace kv {
namespace {

struct ExtensionType {
    const char* extension;
    const char* mimeType;
};

constexpr ExtensionType kPictureTypes[] = {
    {"ico", "image/vnd.microsoft.icon"},
    {"cur", "image/x-win-bitmap"},
    {"png", "image/png"},
    {"bmp", "image/bmp"},
    {"dib", "image/bmp"},
    {"gif", "image/gif"},
    {"jpg", "image/jpeg"},
    {"jpeg", "image/jpeg"},
    {"tif", "image/tiff"},
    {"tiff", "image/tiff"},
    {"tga", "image/x-tga"},
    {"webp", "image/webp"},
    {"pam", "image/x-portable-arbitrarymap"},
    {"pbm", "image/x-portable-bitmap"},
    {"pgm", "image/x-portable-graymap"},
    {"ppm", "image/x-portable-pixmap"},
    {"xpm", "image/x-xpixmap"},
};

} // namespace

std::string MimeTypeOfExtension(const std::string& extension) {
    for (const ExtensionType& type : kPictureTypes)
        if (::strcasecmp(type.extension, extension.c_str()) == 0) return type.mimeType;
    return {};
}

std::vector<std::string> MimeTypesOfExtensions(const std::vector<std::string>& extensions) {
    std::vector<std::string> types;
    for (const std::string& extension : extensions) {
        const std::string type = MimeTypeOfExtension(extension);
        if (!type.empty() && std::find(types.begin(), types.end(), type) == types.end())
            types.push_back(type);
    }
    return types;
}

} // namespace kv
