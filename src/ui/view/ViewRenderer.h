#pragma once
// The picture of the view, built for a rectangle of an off-screen buffer from
// the image model alone: background and frame, chequer board, the below
// cache, the current layer as it is being painted, the above cache, the
// channel-mode rewrite, the grids and the selection outline.
#include "model/ChannelMode.h"
#include "model/Color32.h"
#include "model/Geometry.h"
#include "model/PixelArray.h"

#include <cstdint>

namespace kv {

class Image;

struct ViewColors {
    Color32 chequerA = 0xFFF0F0F0;
    Color32 chequerB = 0xFFC0C0C0;
    Color32 gridA = 0xFFA0A0C8;
    Color32 gridB = 0xFFCCCCFF;
};

// Around the image.
inline constexpr Color32 kViewBackground = 0xFF808080;
inline constexpr Color32 kViewFrame = 0xFF202020;
inline constexpr std::int32_t kChequerSquare = 8;

struct ViewScene {
    const Image* image = nullptr;
    // Where the image's top-left corner lies, in buffer coordinates.
    Point origin;
    int zoom = 1;
    ChannelMode mode = ChannelMode::Normal;
    ViewColors colors;
    std::uint32_t outlinePhase = 0;
};

// Draws the scene into the buffer inside the clip rectangle; every pixel of
// the clip comes out opaque.
void RenderView(PixelArray& buffer, const Rect& clip, const ViewScene& scene);

// The pieces, for the tests and the benchmarks.
void FillChequer(PixelArray& buffer, const Rect& area, Point origin, Color32 a, Color32 b);
// Colour only: every alpha becomes 255. Alpha only: every pixel becomes the
// opaque grey of its alpha.
void ApplyChannelMode(PixelArray& buffer, const Rect& area, ChannelMode mode);

} // namespace kv
