#include "commands/image/ImageFactory.h"

#include "commands/host/CommandSupport.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "model/ModelTypes.h"
#include "model/Resampler.h"
#include "platform/Exceptions.h"
#include "settings/Settings.h"

#include <new>

namespace kv {
namespace {

constexpr const char* kImageCreationFailed = "Image creation failed";

// A copy of the source layer's settings and pixels, scaled to the image.
LayerBase* BorrowLayer(const Layer& source, Image& image, bool detailAllowed) {
    auto owned = std::make_unique<Layer>();
    Layer& layer = *owned;
    layer.setName(source.name());
    layer.setVisible(source.visible());
    layer.setOpacity(source.opacity());
    layer.setBlendMode(source.blendMode());
    image.insertLayer(std::move(owned));
    const bool detailed = source.supersampled() && detailAllowed;
    if (detailed) layer.setSupersampled(true);
    PixelArray& target = layer.editablePixels();
    const PixelArray& from = detailed ? source.editablePixels() : source.pixels();
    if (target.width() == from.width() && target.height() == from.height())
        CopyRaster(target, 0, 0, from);
    else
        Resample(target, from);
    if (detailed) layer.refreshFromDetail(nullptr);
    return &layer;
}

void BorrowLayers(Image& image, const Image& source, bool detailAllowed) {
    image.setResolution(source.horizontalResolution(), source.verticalResolution());
    LayerBase* current = nullptr;
    for (std::int32_t i = 1; i <= source.layerCount(); ++i) {
        const auto* from =
            dynamic_cast<const Layer*>(source.layerAt(static_cast<std::uint32_t>(i)));
        if (!from) continue;
        LayerBase* copy = BorrowLayer(*from, image, detailAllowed);
        if (from == source.currentLayer() || !current) current = copy;
    }
    image.setCurrentLayer(current);
}

void AddEmptyLayer(Image& image, bool supersampled) {
    auto layer = std::make_unique<Layer>();
    Layer* raw = layer.get();
    image.insertLayer(std::move(layer));
    if (supersampled) raw->setSupersampled(true);
    image.setCurrentLayer(raw);
}

} // namespace

std::unique_ptr<Image> CreateNewImage(const NewImageValues& values, const Image* borrowFrom) {
    if (values.width <= 0 || values.height <= 0 || !TargetFormatName(values.targetFormat))
        throw CKVException(kImageCreationFailed);
    const bool detailAllowed = SupersamplingAllowed(values.width, values.height);
    try {
        auto image = std::make_unique<Image>();
        ImageUpdateLock lock(*image);
        image->setSize(values.width, values.height);
        image->setTargetFormat(values.targetFormat);
        image->setForExport(!values.notForExport);
        if (borrowFrom)
            BorrowLayers(*image, *borrowFrom, detailAllowed);
        else
            AddEmptyLayer(*image, values.supersampled && detailAllowed);
        if (Selection* selection = image->selection()) selection->followImage(*image);
        return image;
    } catch (const std::bad_alloc&) {
        throw CKVException(kImageCreationFailed);
    }
}

NewImageValues NewImageDefaults(bool forNewProject) {
    NewImageValues values;
    values.forNewProject = forNewProject;
    values.supersamplingLimit = SupersamplingLimit();
    if (!HaveSettings()) return values;
    const SettingsStore& settings = Settings();
    values.width = static_cast<std::int32_t>(settings.unsignedValue("Image.Width"));
    values.height = static_cast<std::int32_t>(settings.unsignedValue("Image.Height"));
    values.targetFormat = static_cast<TargetFormat>(settings.unsignedValue("Image.TargetFormat"));
    return values;
}

void RememberNewImageValues(const NewImageValues& values) {
    if (!HaveSettings()) return;
    SettingsStore& settings = Settings();
    settings.unsignedSetting("Image.Width").setValue(static_cast<std::uint32_t>(values.width));
    settings.unsignedSetting("Image.Height").setValue(static_cast<std::uint32_t>(values.height));
    settings.unsignedSetting("Image.TargetFormat")
        .setValue(static_cast<std::uint32_t>(values.targetFormat));
}

} // namespace kv
