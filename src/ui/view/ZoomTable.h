#pragma once
// The view's zoom levels and what depends on the factor alone: the label the
// user sees and the strength of the grids.
#include <cstdint>
#include <string>

namespace kv {

inline constexpr int kZoomLevelCount = 9;
inline constexpr int kMaxZoomLevel = kZoomLevelCount - 1;

// Screen pixels per image pixel at a level (clamped to 0..8).
int ZoomFactor(int level);
// Levels outside 0..8 come back inside.
constexpr int ClampZoomLevel(int level) {
    return level < 0 ? 0 : (level > kMaxZoomLevel ? kMaxZoomLevel : level);
}
// The smallest level whose factor is at least `factor` (level 8 beyond 64).
int LevelForFactor(std::int32_t factor);
// "%d00%": factor 2 reads 200%.
std::string ZoomLabel(int level);

// The pixel grid's opacity at a factor; 0 below 4, where no grid is drawn.
float PixelGridOpacity(int factor);
// The finer grid inside the pixels of a supersampled layer: its spacing in
// screen pixels and its opacity, 0 below factor 32.
int SubPixelGridSpacing(int factor);
float SubPixelGridOpacity(int factor);
// The pixel grid drawn over the finer one: together they come to `pixel`.
float PixelGridOpacityOver(float pixel, float fine);

} // namespace kv
