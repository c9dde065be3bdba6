#pragma once
#include <cstdint>

namespace kv {

// Bits per pixel shifted left by 16, plus 1 for palette formats.
enum class TargetFormat : std::uint32_t {
    None = 0,
    Rgba32 = 0x200000,
    Rgb24 = 0x180000,
    Palette8 = 0x80001,
    Palette4 = 0x40001,
    Mono = 0x10001,
};

constexpr bool IsPaletteFormat(TargetFormat f) {
    return f == TargetFormat::Palette8 || f == TargetFormat::Palette4 || f == TargetFormat::Mono;
}
// The user-visible name, or null for an unknown code.
const char* TargetFormatName(TargetFormat f);

enum class BlendMode : std::uint32_t { Normal = 1, Replace = 2 };

enum class LayerKind : std::uint32_t { Layer = 1 };

inline constexpr std::uint32_t kImageKind = 1;
inline constexpr float kDefaultResolution = 3779.5276f; // pixels per metre at 96 dpi

} // namespace kv
