#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

namespace kv {

// The id for a new item among `ids` (the ids of the other items). With m the
// largest id, m + 1 when m is below the item count (the new one included),
// otherwise the smallest free id from 1 up. Shared by images and layers.
inline std::uint32_t NextFreeId(std::vector<std::uint32_t> ids) {
    const std::uint32_t count = static_cast<std::uint32_t>(ids.size()) + 1;
    const std::uint32_t largest = ids.empty() ? 0 : *std::max_element(ids.begin(), ids.end());
    if (largest < count) return largest + 1;
    std::sort(ids.begin(), ids.end());
    std::uint32_t candidate = 1;
    for (std::uint32_t id : ids) {
        if (id == candidate)
            ++candidate;
        else if (id > candidate)
            break;
    }
    return candidate;
}

} // namespace kv
