#pragma once
#include "editing/records/RegionRecord.h"
#include "model/ModelTypes.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kv {

class Image;
class LayerBase;

// A full copy of one layer: its identity, settings and the whole editable
// raster (the 8x level when supersampled), compressed.
struct LayerRecord {
    LayerKind kind = LayerKind::Layer;
    std::uint32_t id = 0;
    std::int32_t belowId = -1;
    std::uint32_t nameNumber = 0;
    bool visible = true;
    float opacity = 1.0f;
    BlendMode blendMode = BlendMode::Normal;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::string name;
    bool supersampled = false;
    std::unique_ptr<RegionRecord> pixels;

    // Null when the coder fails (the user has been told).
    static std::unique_ptr<LayerRecord> take(const LayerBase& layer);
    // Puts id, settings, supersampling and pixels back into a layer of the
    // recorded size; false when the size differs or the pixels cannot be
    // written (the layer is then left untouched or only its level changed).
    bool restoreInto(LayerBase& layer) const;
    // A new layer with the recorded contents, placed above the recorded
    // below-id. Raises an error when it cannot be made.
    LayerBase& recreate(Image& image) const;
};

} // namespace kv
