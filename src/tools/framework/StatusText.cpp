#include "tools/framework/StatusText.h"

#include <cstdio>

namespace kv {
namespace {

template <class... Args> std::string Format(const char* format, Args... args) {
    char text[96];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

} // namespace

std::string PositionText(ImagePoint p) {
    const Point pixel = ImagePixelOf(p);
    return Format("%d,%d", pixel.x, pixel.y);
}

std::string ColorText(Color32 color) {
    const int r = static_cast<int>(RedOf(color));
    const int g = static_cast<int>(GreenOf(color));
    const int b = static_cast<int>(BlueOf(color));
    const int a = static_cast<int>(AlphaOf(color));
    return a == 255 ? Format("%d,%d,%d", r, g, b) : Format("%d,%d,%d : %d", r, g, b, a);
}

std::string PixelSizeText(std::int32_t dx, std::int32_t dy) {
    return Format("%d : %d", (dx + 128) >> 8, (dy + 128) >> 8);
}

std::string FractionalSizeText(std::int32_t dx, std::int32_t dy) {
    return Format("%.3f : %.3f", dx * 0.00390625, dy * 0.00390625);
}

std::string PixelDimensionsText(std::int32_t width, std::int32_t height) {
    return Format("%d x %d", (width + 128) >> 8, (height + 128) >> 8);
}

std::string FractionalDimensionsText(std::int32_t width, std::int32_t height) {
    return Format("%.3f x %.3f", width * 0.00390625, height * 0.00390625);
}

} // namespace kv
