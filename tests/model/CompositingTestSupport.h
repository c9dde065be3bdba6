#pragma once
// Small builders shared by the compositing tests.
#include "model/Color32.h"
#include "model/Layer.h"
#include "model/PixelArray.h"

#include <cstdint>
#include <memory>
#include <random>

namespace kv::test {

inline PixelArray Filled(std::int32_t w, std::int32_t h, Color32 color) {
    PixelArray a(w, h);
    a.fill(color);
    return a;
}

inline PixelArray RandomPixels(std::int32_t w, std::int32_t h, std::mt19937& rng) {
    PixelArray a(w, h);
    std::uniform_int_distribution<std::uint32_t> any;
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x)
            a.set(x, y, any(rng));
    return a;
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

inline constexpr Color32 kRed = MakeColor32(255, 0, 0, 255);
inline constexpr Color32 kBlue = MakeColor32(0, 0, 255, 255);
inline constexpr Color32 kWhite = MakeColor32(255, 255, 255, 255);
inline constexpr Color32 kBlack = MakeColor32(0, 0, 0, 255);

} // namespace kv::test
