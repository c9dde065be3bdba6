#pragma once
// The outside programs that judge our files and write files for us to read:
// icotool, ImageMagick (identify, convert), pngcheck, gdk-pixbuf-thumbnailer.
// Their paths come from the build; a missing one skips the tests using it.
#include "FormatTestSupport.h"

#include <string>
#include <vector>

#define REQUIRE_TOOL(tool)                                                                         \
    if ((tool).empty()) GTEST_SKIP() << #tool " is not installed (scripts/install-deps)"

namespace kv::test {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a program with its arguments, collecting what it prints into files
// of the given temporary folder.
ToolRun RunTool(const TempDir& folder, const std::string& program,
                const std::vector<std::string>& arguments);

// The configured programs, "" where the build found none.
inline const std::string kIcoTool = KORVANE_ICOTOOL, kIdentify = KORVANE_IDENTIFY,
                         kConvert = KORVANE_CONVERT, kPngCheck = KORVANE_PNGCHECK,
                         kThumbnailer = KORVANE_THUMBNAILER;

// A picture as ImageMagick decodes it (`index` picks an entry, -1 none).
PixelArray MagickPixels(const TempDir& folder, const std::string& file, int index = -1);
// The pixels made wholly opaque.
PixelArray Opaque(const PixelArray& pixels);

// Lines of a text.
std::vector<std::string> Lines(const std::string& text);

} // namespace kv::test
