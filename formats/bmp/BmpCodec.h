#pragma once
// BMP files: a 14-byte file header, then a bitmap (see Dib.h).
#include "ByteReader.h"
#include "Dib.h"
#include "Raster.h"

#include <string>
#include <vector>

namespace kvf {

// True when the file starts like a BMP file with a bitmap header we know.
bool LooksLikeBmp(Bytes file);
// "48 x 48, 8 bpp, RLE" from the headers alone.
std::string DescribeBmp(Bytes file);

// 16 and 32-bit pixels keep an alpha channel only when some pixel uses it;
// run-length pictures with skipped pixels get a mask that hides them.
Picture DecodeBmp(Bytes file, const Limits& limits);

// 1, 4 and 8 bits with a palette and 24 bits under a 40-byte header, 32 bits
// with alpha under a 124-byte header with bit fields; rows bottom first.
std::vector<std::uint8_t> EncodeBmp(const Raster& image, float resolutionX, float resolutionY);

} // namespace kvf
