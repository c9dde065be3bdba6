#pragma once
// Small builders shared by the model tests.
#include "model/Color32.h"
#include "model/Layer.h"
#include "model/PixelArray.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace kv::test {

inline PixelArray Raster(std::int32_t w, std::int32_t h,
                         const std::function<Color32(std::int32_t, std::int32_t)>& pixel) {
    PixelArray a(w, h);
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x)
            a.set(x, y, pixel(x, y));
    return a;
}

inline PixelArray Filled(std::int32_t w, std::int32_t h, Color32 color) {
    return Raster(w, h, [&](auto, auto) { return color; });
}

inline PixelArray Row(const std::vector<Color32>& pixels) {
    return Raster(static_cast<std::int32_t>(pixels.size()), 1,
                  [&](std::int32_t x, auto) { return pixels[static_cast<std::size_t>(x)]; });
}

inline PixelArray RandomPixels(std::int32_t w, std::int32_t h, std::mt19937& rng) {
    return Raster(w, h, [&](auto, auto) { return static_cast<Color32>(rng()); });
}

inline bool Uniform(const PixelArray& raster, Color32 color) {
    return raster.sameContents(Filled(raster.width(), raster.height(), color));
}

inline std::unique_ptr<Layer> SolidLayer(std::int32_t w, std::int32_t h, Color32 color,
                                         float opacity = 1.0f, BlendMode mode = BlendMode::Normal) {
    auto layer = std::make_unique<Layer>();
    layer->setSize(w, h);
    layer->pixels().fill(color);
    layer->setOpacity(opacity);
    layer->setBlendMode(mode);
    return layer;
}

constexpr Color32 Gray(unsigned v) {
    return MakeColor32(v, v, v, 255);
}

inline constexpr Color32 kRed = MakeColor32(255, 0, 0, 255);
inline constexpr Color32 kBlue = MakeColor32(0, 0, 255, 255);
inline constexpr Color32 kWhite = MakeColor32(255, 255, 255, 255);
inline constexpr Color32 kBlack = MakeColor32(0, 0, 0, 255);
// Blue at half opacity over red.
inline constexpr Color32 kHalfBlueOverRed = MakeColor32(127, 0, 128, 255);

} // namespace kv::test
