#pragma once
#include "model/Color32.h"
#include "model/ColorOctree.h"
#include "model/PixelArray.h"

#include <cstdint>
#include <vector>

namespace kv {

// Reduces a raster to at most maxColors palette colors: an octree gathers at
// most 4096 weighted colors, then the box of colors with the largest variance
// is split at the middle of its widest channel until there are enough boxes.
// Pixels with alpha below 128 count as transparent and reserve the last
// color, (0, 0, 0, 0).
class ColorQuantizer {
  public:
    struct Box {
        std::size_t begin = 0, end = 0; // range of the color list
        std::int32_t mean[3] = {};
        int axis = 0;
        float priority = 0;
    };

    // Throws CKVException on allocation failure.
    std::vector<Color32> quantize(const PixelArray& pixels, std::int32_t maxColors);

    // The box over list[begin, end) with its mean, split axis and priority.
    static Box measure(const std::vector<WeightedColor>& list, std::size_t begin, std::size_t end);
};

// ColorQuantizer::quantize with the error boxes: false (after "Color
// quantization error") when it fails, with `colors` untouched.
bool QuantizeColors(const PixelArray& pixels, std::int32_t maxColors, std::vector<Color32>& colors);

} // namespace kv
