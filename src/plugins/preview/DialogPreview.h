#pragma once
// The preview and description that the open and import dialogs show for the
// selected file.
#include "kvx.h"
#include "model/PixelArray.h"

#include <cstdint>
#include <string>

namespace kv {

class PluginHost;

inline constexpr const char* kNoFileSelected = "No file selected";
inline constexpr const char* kUnknownFileFormat = "Unknown file format...";
// The description buffer handed to the providers.
inline constexpr std::size_t kPreviewDescriptionSize = 1024;

struct DialogPreview {
    PixelArray picture;      // empty when there is none
    std::string description; // the provider's text
    std::string areaText;    // shown instead: no file, or no provider knows it
};

// The size a width x height picture is shown at in a square area of `area`
// pixels: unchanged when it fits, else scaled to fit (each side at least 1).
void FitPreviewSize(std::int32_t width, std::int32_t height, std::int32_t area,
                    std::int32_t& fittedWidth, std::int32_t& fittedHeight);

// A provider's preview as the picture to draw: flattened when it has several
// frames, converted to 32 bits when it is not, and scaled down to fit the
// area. False (picture empty) when nothing usable comes out.
bool FitPreviewPicture(const PortableMultiImage* preview, std::int32_t area, PixelArray& picture);

// Asks the providers about the file (an empty path means none is selected)
// and fits their preview into the file dialogs' area. Dialogs call it only
// while "ImageFilePreview.Enabled" is on.
DialogPreview MakeDialogPreview(const PluginHost& host, const std::string& path);

} // namespace kv
