#pragma once
#include <cstdint>

namespace kv {

// A pixel: alpha in bits 31-24, red 23-16, green 15-8, blue 7-0, so the bytes
// in memory are B, G, R, A. Alpha is straight, never premultiplied.
using Color32 = std::uint32_t;

constexpr Color32 MakeColor32(unsigned r, unsigned g, unsigned b, unsigned a) {
    return (a & 0xFFu) << 24 | (r & 0xFFu) << 16 | (g & 0xFFu) << 8 | (b & 0xFFu);
}
constexpr unsigned AlphaOf(Color32 c) {
    return c >> 24;
}
constexpr unsigned RedOf(Color32 c) {
    return (c >> 16) & 0xFF;
}
constexpr unsigned GreenOf(Color32 c) {
    return (c >> 8) & 0xFF;
}
constexpr unsigned BlueOf(Color32 c) {
    return c & 0xFF;
}
constexpr Color32 WithAlpha(Color32 c, unsigned a) {
    return (c & 0x00FFFFFFu) | (a & 0xFFu) << 24;
}

} // namespace kv
