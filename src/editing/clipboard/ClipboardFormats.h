#pragma once
#include "editing/clipboard/ClipPicture.h"
#include "model/PixelArray.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// The forms a copied picture takes on the clipboard, and reading them back.
// Byte-exact and free of any clipboard, so they are tested as data.

// MIME types the program offers and accepts, best first.
inline constexpr const char* kPrivateClipType = "application/x-korvane-dib";
inline constexpr const char* kPngClipType = "image/png";
inline constexpr const char* kBmpClipType = "image/bmp";

// The private form: a 24-byte header (size 24, bits << 16, width, height,
// two float resolutions) and the picture's bytes as held.
std::vector<std::uint8_t> PrivateClipData(const ClipPicture& picture);
// A 40-byte info header and bottom-up rows padded to 4 bytes; 32-bit
// pictures go out as 24 bits, 8-bit ones with a grey colour table.
std::vector<std::uint8_t> DibClipData(const ClipPicture& picture);
// The same with the 124-byte version 5 header; 32 bits stay 32 with masks.
std::vector<std::uint8_t> DibV5ClipData(const ClipPicture& picture);
// A bitmap file: the 14-byte file header followed by the version 5 form.
std::vector<std::uint8_t> BmpFileData(const ClipPicture& picture);
// A PNG of the picture as other programs would see it (8 bits as grey).
std::string PngClipData(const ClipPicture& picture);

// A picture read for pasting: always 32 bits.
struct PastePicture {
    PixelArray pixels;
    float resolutionX = 0;
    float resolutionY = 0;
};

// The held picture as it would be pasted (8 bits read as opaque grey).
bool ReadClipPicture(const ClipPicture& picture, PastePicture& out);
// False for data that is cut short or in a form the program cannot paste.
bool ReadPrivateClipData(const std::uint8_t* data, std::size_t size, PastePicture& out);
bool ReadDibClipData(const std::uint8_t* data, std::size_t size, PastePicture& out);
// A bitmap file: its 14-byte file header, then the device-independent form.
bool ReadBmpFileData(const std::uint8_t* data, std::size_t size, PastePicture& out);

// Writes the picture into the target at (x, y), clipped, by channel mode:
// all of it, its colour weighted by its alpha (the target's alpha stays), or
// the luminance of its premultiplied colour as the target's alpha.
void WritePastePicture(PixelArray& target, std::int32_t x, std::int32_t y,
                       const PixelArray& picture, ChannelMode mode);

} // namespace kv
