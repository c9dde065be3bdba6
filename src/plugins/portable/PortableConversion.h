#pragma once
// Frames of any supported format to and from 32-bit Color32 pixels: the
// convert and premultiply services and the host's own reading of frames.
#include "kvx.h"
#include "model/PixelArray.h"
#include "plugins/portable/PortableChecks.h"

namespace kv {

// The frame's pixels as Color32 (32 bpp copied, 24 bpp opaque, 1/4/8 bpp
// through the palette, or as gray levels without one; indices past the
// palette's end are opaque black). `out` takes the frame's size. Throws
// PortableError: 5 for other formats, 6 when `out` cannot be allocated.
void ReadPortablePixels(const ImageView& frame, PixelArray& out);

// A 32-bit frame's pixels in place, as a raster that does not own them.
PixelArray WrapPortablePixels(const ImageView& frame);

// The convert services: only KVX_FORMAT_32BPP is a target (code 5). The
// source is freed only when the conversion succeeds and `freeSource` is set.
PortableImage* ConvertPortableImage(PortableImage* image, std::uint32_t format, bool freeSource);
// Image frames converted, other frames cloned.
PortableMultiImage* ConvertPortableMultiImage(PortableMultiImage* multiImage, std::uint32_t format,
                                              bool freeSource);

// R, G, B of a 32-bit frame multiplied by its alpha.
void PremultiplyPortableImage(PortableImage* image);

// Where a frame lies within its multi-image (its far edges clamped to int32).
Rect PlacedFrameRect(const PortableImage& frame);

// Clears the alpha of the raster's pixels where a 1-bit frame, placed at its
// own left and top, has 0 bits; pixels outside the frame stay.
void ApplyPortableMask(PixelArray& raster, const ImageView& mask);

} // namespace kv
