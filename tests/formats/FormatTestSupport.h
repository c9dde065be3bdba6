#pragma once
// The shipped format plug-ins loaded by the real host from a temporary
// program folder, pictures to feed them, and the outside tools that judge
// what they write.
#include "model/Image.h"
#include "model/Project.h"
#include "plugins/host/PluginHost.h"
#include "support/StorageTestSupport.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kv::test {

// A temporary home (HOME and XDG folders) and program folder whose Plugins
// folder holds fresh copies of the ICO and CUR, PNG and BMP plug-ins.
class FormatHost : public TempDir {
  public:
    FormatHost();

    PluginHost host;

    // Writes the ICO and CUR plug-in's settings file.
    void icoSettings(const std::string& text) const;
    // Imports any file the plug-ins accept; null after recording why.
    std::unique_ptr<Project> import(const std::string& path, std::string* error = nullptr) const;
    // The accepting plug-in's description of a file ("" when none accepts).
    std::string describe(const std::string& path) const;
    // Exports the images marked for export through the named file type.
    bool exportProject(const Project& project, const std::string& path, const std::string& typeName,
                       std::string* error = nullptr) const;
    bool exportImage(const Image& image, const std::string& path, const std::string& typeName,
                     std::string* error = nullptr) const;
};

// A drawn icon: a transparent background, an opaque disc of changing colors
// and a translucent ring, and a hard-edged square in a corner.
PixelArray DrawnIcon(std::int32_t width, std::int32_t height, std::uint32_t seed);
// An image holding one layer of `pixels`, with the target format given.
std::unique_ptr<Image> ImageOf(const PixelArray& pixels, TargetFormat target);
// What export hands the plug-ins for an image (layers, or the target preview),
// as a reader should see it back: 32-bit targets as they are, others with
// alpha cut to 0 or 255 at one half.
PixelArray ExpectedPixels(const Image& image);
// Equal pixels, where two fully transparent pixels count as equal whatever
// their colors. Reports the first difference.
void ExpectSameVisible(const PixelArray& expected, const PixelArray& actual,
                       const std::string& what);

// Files built in tests.
using Bytes = std::vector<std::uint8_t>;
void WriteBytes(const std::string& path, const Bytes& bytes);
Bytes ReadBytes(const std::string& path);
// Writes a little-endian word, growing the bytes when needed.
void PutU32(Bytes& b, std::size_t at, std::uint32_t v);

} // namespace kv::test
