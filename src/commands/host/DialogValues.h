#pragma once
// What the dialogs that commands open hand back: each dialog fills its own
// structure, and the command acts on it only when the dialog was confirmed.
#include "editing/actions/ImagePropertiesAction.h"
#include "editing/actions/LayerPropertiesAction.h"
#include "model/ModelTypes.h"

#include <cstdint>
#include <variant>
#include <vector>

namespace kv {

class Project;

// "New project :: new image" (forNewProject) and "New image". The values
// start from the remembered image size and format.
struct NewImageValues {
    bool forNewProject = false;
    std::int32_t width = 32;
    std::int32_t height = 32;
    TargetFormat targetFormat = TargetFormat::Rgba32;
    // Offered only while the size stays within the supersampling limit.
    bool supersampled = false;
    bool notForExport = false;
    // "Borrow": the id of the project image whose content the new image
    // starts from; 0 for an empty image. Only for "New image".
    std::uint32_t borrowFromId = 0;
    std::uint64_t supersamplingLimit = 0;
};

// "Image properties": the action's new values, which start as the old ones.
struct ImagePropertiesValues {
    ImagePropertiesAction::Values values;
};

// "Layer properties": the action's new values, which start as the old ones.
struct LayerPropertiesValues {
    LayerPropertiesAction::Values values;
    // Whether the image is small enough for the "Supersampled" choice.
    bool supersamplingAllowed = true;
};

// "Select an image": one image of an imported multi-image file.
struct SelectImageValues {
    const Project* project = nullptr;
    // 1-based position in the project; starts at 1.
    std::uint32_t chosen = 1;
};

using DialogValues =
    std::variant<NewImageValues, ImagePropertiesValues, LayerPropertiesValues, SelectImageValues>;

} // namespace kv
