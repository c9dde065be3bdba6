#pragma once
// What a tool's options panel holds, as data: the user interface builds the
// controls from it, and shows the preview the tool renders.
#include "model/MaskArray.h"

#include <cstdint>
#include <span>

namespace kv {

enum class OptionKind {
    Slider,
    // One picture button per choice; the setting holds minimum + the index.
    PictureButtons,
    // A drop-down list of the choices; the setting holds minimum + the index.
    DropDown,
    // A number typed or stepped between minimum and maximum.
    Number,
    // A font face name picked from the platform's families.
    FontName,
    // A single-line text kept by the tool itself (no setting).
    TextField,
};

// One control: its label (null for none), the setting it edits and the range
// or the choices it offers.
struct ToolOption {
    const char* label;
    const char* setting;
    OptionKind kind;
    std::int32_t minimum;
    std::int32_t maximum;
    std::span<const char* const> choices = {};
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
