#pragma once
// What a tool's options panel holds, as data: the user interface builds the
// controls from it, and shows the preview the tool renders.
#include "model/MaskArray.h"

#include <cstdint>
#include <span>

namespace kv {

enum class OptionKind { Slider };

// One control: its label, the setting it edits and the range it offers.
struct ToolOption {
    const char* label;
    const char* setting;
    OptionKind kind;
    std::int32_t minimum;
    std::int32_t maximum;
};

// The tip picture beside a painting tool's sliders.
enum class OptionsPreview { None, Tip };

struct OptionsPanel {
    std::span<const ToolOption> options;
    OptionsPreview preview = OptionsPreview::None;
};

// A tip as shown in the square preview box: one coverage byte per screen
// pixel (255 fully covered). A tip too wide for the box is shown at the
// largest size that fits, with its size number ("%d") centred on it.
struct TipPreview {
    MaskArray coverage;
    bool showsSizeNumber = false;
    std::int32_t size = 0;
};

} // namespace kv
