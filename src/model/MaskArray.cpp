#include "model/MaskArray.h"

namespace kv {

void MaskArray::invert() {
    std::uint8_t* p = data();
    const std::size_t n = pixelCount();
    for (std::size_t i = 0; i < n; ++i)
        p[i] = static_cast<std::uint8_t>(255 - p[i]);
}

} // namespace kv
