#pragma once
#include <cstdint>

namespace kv {

// The stream library's compression methods. Data files number them the
// other way round (FileCompression); the chunk layer converts.
enum class QzMethod : std::int32_t {
    Lzrc = 1, // LZ77 with a binary range coder
    Lzw = 2,  // LZW, 9- to 16-bit codes
};

} // namespace kv
