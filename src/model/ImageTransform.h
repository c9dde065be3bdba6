#pragma once
// Whole-image geometry: crop or extend to a rectangle, the five
// reorientations and resizing. Each runs under one update lock of the image,
// so composite, previews and caches are rebuilt once at the end. Layers are
// transformed through their editable raster, so supersampled layers keep
// their 8x detail.
#include "model/Geometry.h"

#include <cstdint>

namespace kv {

class Image;

enum class Orientation : int {
    FlipHorizontal = 1,
    FlipVertical = 2,
    RotateClockwise = 3,
    Rotate180 = 4,
    RotateCounterClockwise = 5,
};

constexpr bool IsValidOrientation(int code) {
    return code >= 1 && code <= 5;
}
// The code that undoes `code`: the two quarter turns exchange, the others
// are their own inverse.
constexpr int InverseOrientation(int code) {
    return code == 3 ? 5 : code == 5 ? 3 : code;
}
// The name shown in the Edit menu for a reorientation.
const char* OrientationUndoName(int code);

// Crops or extends the image to `rect` (image pixels); parts outside the old
// image become transparent. The full image rectangle only clears the selection.
void SetImageBounds(Image& image, const Rect& rect);
// Codes 1 to 5; quarter turns exchange width, height and the resolutions.
// Other codes do nothing. The selection is cleared.
void ReorientImage(Image& image, int code);
// Every layer resampled to the new size; the size change drops the selection.
void ResizeImage(Image& image, std::int32_t width, std::int32_t height);

} // namespace kv
