#include "settings/MainWindowDefaults.h"

#include <algorithm>

namespace kv {

MainWindowDefaults ComputeMainWindowDefaults(const Rect& workArea) {
    const std::int32_t w = workArea.width(), h = workArea.height();
    MainWindowDefaults d;
    d.height = std::min(h - 20, 768);
    d.width = std::min(d.height * 4 / 3, w - 20);
    d.left = workArea.left + 10;
    d.top = workArea.top + 10;
    if (d.width < 640 || d.height < 640) {
        d.width = w;
        d.height = h;
        d.left = workArea.left;
        d.top = workArea.top;
        d.maximized = true;
    }
    return d;
}

} // namespace kv
