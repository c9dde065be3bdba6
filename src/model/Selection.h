#pragma once
#include <cstddef>

namespace kv {

class Image;

// An image's selection mask. The mask levels, outline and editing come with
// the selection work; the image already owns one and keeps it in step.
class Selection {
public:
    // Follows the image's size and supersampling state.
    void followImage(const Image& image);
    std::size_t memorySize() const { return 0; }
};

} // namespace kv
