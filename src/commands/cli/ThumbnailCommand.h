#pragma once
// --thumbnail, which the desktop's thumbnailer entry runs: a file's preview
// picture as a PNG of at most SIZE x SIZE pixels.
#include "model/PixelArray.h"

#include <cstdint>
#include <string>

namespace kv {

class PluginHost;

inline constexpr std::int32_t kDefaultThumbnailSize = 256;
inline constexpr std::int32_t kMaxThumbnailSize = 1024;

// The picture a file shows as its thumbnail: the preview its provider gives
// (a project's embedded thumbnail, an icon's largest entry), or else its
// first image for export as read, scaled down to fit size x size with its
// proportions kept; smaller pictures stay as they are. False with the reason
// in `error`.
bool RenderThumbnail(const PluginHost& host, const std::string& path, std::int32_t size,
                     PixelArray& picture, std::string& error);

// Writes the thumbnail as a PNG file and answers the exit code (0 or 1).
int RunThumbnailCommand(const PluginHost& host, const std::string& input, const std::string& output,
                        std::int32_t size, std::string& error);

} // namespace kv
