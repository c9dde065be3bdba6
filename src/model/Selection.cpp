#include "model/Selection.h"

namespace kv {

void Selection::followImage(const Image&) {
    // No mask is held yet, so there is nothing to resize.
}

} // namespace kv
