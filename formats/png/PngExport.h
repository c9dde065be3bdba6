#pragma once
// What a PNG file of an image's target format holds.
#include "Png.h"
#include "Portable.h"

namespace kvf {

// The raster and color key to write: palette targets as palette files whose
// transparent pixels use an entry of alpha 0 (one is added, or an unused one
// taken; with none to spare the image goes out as RGBA), 24-bit targets as
// RGB with a color no visible pixel has standing for transparent, 32-bit
// targets as RGBA.
struct PngExport {
    Raster raster;
    PngOutput output;
};
void PreparePngExport(const ExportPicture& picture, PngExport& out);

} // namespace kvf
