#include "ui/view/ZoomTable.h"

#include <algorithm>
#include <array>

namespace kv {
namespace {

constexpr std::array<int, kZoomLevelCount> kFactors{1, 2, 4, 8, 16, 24, 32, 48, 64};

} // namespace

int ZoomFactor(int level) {
    return kFactors[static_cast<std::size_t>(ClampZoomLevel(level))];
}

int LevelForFactor(std::int32_t factor) {
    for (int level = 0; level < kZoomLevelCount; ++level)
        if (kFactors[static_cast<std::size_t>(level)] >= factor) return level;
    return kMaxZoomLevel;
}

std::string ZoomLabel(int level) {
    return std::to_string(ZoomFactor(level)) + "00%";
}

float PixelGridOpacity(int factor) {
    if (factor < 4) return 0.0f;
    if (factor < 8) return 0.25f;
    if (factor < 16) return 0.33f;
    if (factor < 24) return 0.5f;
    if (factor < 32) return 0.67f;
    return 0.75f;
}

int SubPixelGridSpacing(int factor) {
    return factor < 32 ? 0 : factor / 8;
}

float SubPixelGridOpacity(int factor) {
    if (factor < 32) return 0.0f;
    return 0.25f + 0.02f * static_cast<float>(std::min(factor / 8, 8) - 4);
}

float PixelGridOpacityOver(float pixel, float fine) {
    return 1.0f - (1.0f - pixel) / (1.0f - fine);
}

} // namespace kv
