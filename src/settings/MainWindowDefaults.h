#pragma once
#include "model/Geometry.h"

#include <cstdint>

namespace kv {

// Where the main window first appears, worked out from the work area (the
// primary screen without panels and docks).
struct MainWindowDefaults {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    bool maximized = false;

    friend bool operator==(const MainWindowDefaults&, const MainWindowDefaults&) = default;
};

// A 4:3 window at most 768 high, 10 pixels inside the work area's corner; on
// a work area too small for 640 pixels either way, the whole area, maximized.
MainWindowDefaults ComputeMainWindowDefaults(const Rect& workArea);

// Used until the user interface reports the real work area (headless runs).
inline constexpr Rect kFallbackWorkArea{0, 0, 1024, 738};

} // namespace kv
