#pragma once
// Builders and a complete, comparable picture of an image's state for the
// edit action tests.
#include "editing/history/ActionManager.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/Layer.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace kv::test {

template <typename T> std::vector<T> Contents(const RasterArray<T>& a) {
    return a.isEmpty() ? std::vector<T>{} : std::vector<T>(a.data(), a.data() + a.pixelCount());
}

struct LayerState {
    std::uint32_t id = 0, nameNumber = 0;
    std::string name;
    bool visible = true;
    float opacity = 1;
    BlendMode blendMode = BlendMode::Normal;
    bool supersampled = false;
    std::int32_t width = 0, height = 0;
    std::vector<Color32> pixels, detail;
    friend bool operator==(const LayerState&, const LayerState&) = default;
};

// Everything an undo must bring back. The current layer is left out: it is
// the user's choice between edits, not part of any one edit.
struct ImageState {
    std::int32_t width = 0, height = 0;
    float resolutionX = 0, resolutionY = 0;
    TargetFormat format = TargetFormat::None;
    bool storedOption = false, paletteLocked = false, forExport = true;
    std::vector<Color32> palette;
    std::vector<LayerState> layers;
    bool selectionActive = false, selectionSupersampled = false;
    std::vector<std::uint8_t> mask, detailMask;
    std::vector<Color32> composite; // derived, but a stale one is a missed update
    friend bool operator==(const ImageState&, const ImageState&) = default;
};

inline ImageState StateOf(const Image& image) {
    ImageState s;
    s.width = image.width();
    s.height = image.height();
    s.resolutionX = image.horizontalResolution();
    s.resolutionY = image.verticalResolution();
    s.format = image.targetFormat();
    s.storedOption = image.storedOption();
    s.paletteLocked = image.paletteLocked();
    s.forExport = image.forExport();
    if (const Palette* palette = image.palette())
        for (std::int32_t i = 0; i < palette->count(); ++i)
            s.palette.push_back(palette->entry(i).color());
    for (std::int32_t i = 1; i <= image.layerCount(); ++i) {
        const auto& layer =
            static_cast<const Layer&>(*image.layerAt(static_cast<std::uint32_t>(i)));
        s.layers.push_back(
            {layer.id(), layer.nameNumber(), layer.name(), layer.visible(), layer.opacity(),
             layer.blendMode(), layer.supersampled(), layer.width(), layer.height(),
             Contents(layer.pixels()),
             layer.supersampled() ? Contents(layer.editablePixels()) : std::vector<Color32>{}});
    }
    const Selection& selection = *image.selection();
    s.selectionActive = selection.active();
    s.selectionSupersampled = selection.supersampled();
    s.mask = Contents(selection.mask());
    if (selection.supersampled()) s.detailMask = Contents(selection.editableMask());
    s.composite = Contents(image.composite());
    return s;
}

// Names the first difference, for readable failures.
inline std::string Difference(const ImageState& a, const ImageState& b) {
    if (a.layers.size() != b.layers.size()) return "layer count";
    for (std::size_t i = 0; i < a.layers.size(); ++i)
        if (!(a.layers[i] == b.layers[i])) return "layer " + std::to_string(i);
    if (a.mask != b.mask || a.detailMask != b.detailMask) return "selection mask";
    if (a.composite != b.composite) return "composite";
    return a == b ? "" : "image or selection settings";
}

// A random pixel whose colour is 0 when it is fully transparent: reduced
// levels keep no colour under zero alpha, so only such pixels survive a
// round trip through the 8x level.
inline Color32 RandomPixel(std::mt19937& rng) {
    const Color32 c = std::uniform_int_distribution<std::uint32_t>()(rng);
    return AlphaOf(c) == 0 ? 0 : c;
}

inline void FillRandom(PixelArray& a, const Rect& r, std::mt19937& rng) {
    const Rect area = r.intersected(a.bounds());
    for (std::int32_t y = area.top; y < area.bottom; ++y)
        for (std::int32_t x = area.left; x < area.right; ++x)
            a.set(x, y, RandomPixel(rng));
}

// An image of the given size with one layer (filled, made current).
inline std::unique_ptr<Image> MakeImage(std::int32_t w, std::int32_t h, Color32 fill = 0xFF336699) {
    InstallActionManagers();
    auto image = std::make_unique<Image>();
    image->setSize(w, h);
    image->setTargetFormat(TargetFormat::Rgba32);
    auto* layer = image->insertLayer(std::make_unique<Layer>());
    layer->pixels().fill(fill);
    image->setCurrentLayer(layer);
    image->update();
    CommitSnapshots(*image);
    return image;
}

inline ActionManager& ManagerOf(Image& image) {
    return *static_cast<ActionManager*>(image.history());
}

inline Layer& CurrentLayer(Image& image) {
    return *static_cast<Layer*>(image.currentLayer());
}

} // namespace kv::test
