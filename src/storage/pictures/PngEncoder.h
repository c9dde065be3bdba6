#pragma once
#include "model/Color32.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// A PNG file (8-bit RGBA, straight alpha) of width x height pixels in rows
// from the top. Small and self-contained: enough for the icons we install.
std::string EncodePng(const Color32* pixels, std::int32_t width, std::int32_t height);

// The zlib stream of data: fixed-code deflate with greedy matches.
std::string ZlibCompress(std::string_view data);

std::uint32_t Crc32(std::string_view data, std::uint32_t crc = 0);
std::uint32_t Adler32(std::string_view data);

} // namespace kv
