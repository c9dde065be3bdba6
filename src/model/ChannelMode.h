#pragma once
#include <cstdint>

namespace kv {

// The program-wide view mode: which channels the view shows, painting
// changes, copying takes and pasting writes.
enum class ChannelMode : std::int32_t { Normal = 0, ColorOnly = 1, AlphaOnly = 2 };

} // namespace kv
