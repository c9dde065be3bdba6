#pragma once
#include "model/PixelArray.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace kv {

class ChunkReader;

// What the file dialogs learn about a project file without loading it.
struct ProjectPreview {
    std::int32_t imageCount = 0;
    bool hasPicture = false;
    PixelArray picture;
};

// Reads just enough of a project file for its description and, when
// `wantPicture`, a preview: the embedded thumbnail, else the bitmap of a
// lone image's only plain layer. False when the file is not a readable
// project; a damaged preview only leaves hasPicture false. Never reports.
bool ReadProjectPreview(const std::string& path, bool wantPicture, ProjectPreview& preview);
bool ReadProjectPreviewMemory(const void* data, std::size_t size, bool wantPicture,
                              ProjectPreview& preview);

// "Korvane project\n<n> image(s)".
std::string ProjectDescriptionText(std::int32_t imageCount);
// The description cut to a caller's buffer of `size` bytes, always terminated.
void WriteProjectDescription(std::int32_t imageCount, char* buffer, std::size_t size);

} // namespace kv
