#pragma once
#include <cstdint>

namespace kv {

// Code space of the LZW method shared by its encoder and decoder.
namespace lzw {
inline constexpr unsigned kClearCode = 256;
inline constexpr unsigned kEndCode = 257;
inline constexpr unsigned kFirstFreeCode = 258;
inline constexpr unsigned kCodeLimit = 65535; // the next free code never exceeds it
inline constexpr unsigned kInitialWidth = 9;
inline constexpr std::uint16_t kNoCode = 0xFFFF;
} // namespace lzw

} // namespace kv
