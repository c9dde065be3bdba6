#pragma once
// The desktop's names for the picture types plug-ins read, so that the
// desktop entry can offer Korvane for opening them.
#include <string>
#include <vector>

namespace kv {

// The MIME type of a file extension (case ignored), or empty when we know
// none: ico image/vnd.microsoft.icon, cur image/x-win-bitmap (the shared MIME
// database's name for cursors), png image/png, bmp and dib image/bmp, and a
// few more common picture types.
std::string MimeTypeOfExtension(const std::string& extension);
// The MIME types of the extensions, each once, in the extensions' order;
// extensions without one are left out.
std::vector<std::string> MimeTypesOfExtensions(const std::vector<std::string>& extensions);

} // namespace kv
