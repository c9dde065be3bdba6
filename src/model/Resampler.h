#pragma once
// The one scaling routine of the program: bilinear enlargement and area
// averaging reduction on straight alpha, with colors weighted by alpha so that
// transparent pixels never tint their neighbours.
#include "model/PixelArray.h"

#include <cstdint>

namespace kv {

struct ResamplerOptions {
    // Enlarge by bilinear interpolation; when clear, enlargement averages areas too.
    std::uint8_t smoothEnlargement = 1;
    // Samples for the whole destination; 0 is unlimited. Larger reductions then
    // sample sparsely instead of covering every source pixel.
    std::uint32_t totalSampleBudget = 0;
    // Samples per destination pixel; 0 is unlimited.
    std::uint32_t samplesPerPixel = 0;
};

// Fills the whole destination (its size already set) with the scaled source.
// An empty source gives a destination of 0.
void Resample(PixelArray& dst, const PixelArray& src, const ResamplerOptions& options = {});

} // namespace kv
