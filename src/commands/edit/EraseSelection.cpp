#include "commands/edit/EraseSelection.h"

#include "commands/host/CommandHost.h"
#include "commands/host/CommandSupport.h"
#include "editing/actions/ActionSupport.h"
#include "editing/actions/ModifyLayerAction.h"
#include "editing/history/ActionManager.h"
#include "editing/records/Snapshots.h"
#include "model/FixedPoint.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "tools/framework/ToolGeometry.h"

namespace kv {
namespace {

std::uint32_t Weighted(std::uint32_t value, std::uint32_t keep) {
    return static_cast<std::uint32_t>((std::uint64_t{keep} * value * 65793u + (1u << 23)) >> 24);
}

// The coverage mix toward transparent black: what stays of the alpha, and
// the colour kept as it was wherever any alpha stays.
Color32 MixTowardTransparent(Color32 pixel, std::uint32_t m) {
    const std::uint32_t a0 = Weighted(AlphaOf(pixel), 255u - m);
    const std::uint64_t r = ReciprocalTable[a0];
    const auto channel = [&](std::uint32_t c) {
        return static_cast<std::uint32_t>((std::uint64_t{c} * a0 * r + (1u << 23)) >> 24);
    };
    return MakeColor32(channel(RedOf(pixel)), channel(GreenOf(pixel)), channel(BlueOf(pixel)), a0);
}

Layer* ErasableLayer(const Image* image) {
    if (!image || !image->selection() || !image->selection()->active()) return nullptr;
    auto* layer = dynamic_cast<Layer*>(image->currentLayer());
    return layer && layer->visible() ? layer : nullptr;
}

void EraseRect(PixelArray& pixels, const MaskArray& mask, const Rect& rect, ChannelMode mode) {
    for (std::int32_t y = rect.top; y < rect.bottom; ++y) {
        Color32* row = pixels.row(y);
        const std::uint8_t* coverage = mask.row(y);
        for (std::int32_t x = rect.left; x < rect.right; ++x)
            row[x] = ErasedPixel(row[x], coverage[x], mode);
    }
}

} // namespace

Color32 ErasedPixel(Color32 pixel, std::uint32_t m, ChannelMode mode) {
    switch (mode) {
    case ChannelMode::ColorOnly:
        return MakeColor32(Weighted(RedOf(pixel), 255u - m), Weighted(GreenOf(pixel), 255u - m),
                           Weighted(BlueOf(pixel), 255u - m), AlphaOf(pixel));
    case ChannelMode::AlphaOnly:
        return WithAlpha(pixel, Weighted(AlphaOf(pixel), 255u - m));
    case ChannelMode::Normal:
        break;
    }
    if (m == 0) return pixel;
    if (m == 255) return 0;
    return MixTowardTransparent(pixel, m);
}

bool CanErase(const Image* image) {
    return ErasableLayer(image) != nullptr;
}

bool EraseSelection(CommandHost& host, const std::string& label) {
    Image* image = CurrentImage();
    Layer* layer = ErasableLayer(image);
    const Selection* selection = image ? image->selection() : nullptr;
    // The 8x mask goes with the 8x raster.
    const bool detailed = layer && layer->supersampled();
    if (!layer || (detailed && !selection->supersampled())) {
        host.beep();
        return false;
    }
    const ChannelMode mode = host.channelMode();
    EnsureSnapshots(*image);
    const Rect bounds = (detailed ? selection->detailBounds() : selection->levelZeroBounds())
                            .intersected(layer->editablePixels().bounds());
    EraseRect(layer->editablePixels(), detailed ? selection->editableMask() : selection->mask(),
              bounds, mode);
    const Rect imageRect = detailed ? DetailToImageRect(bounds, kDetailLevel) : bounds;
    if (detailed) layer->refreshFromDetail(&imageRect);
    image->update(imageRect);

    auto action = std::make_unique<ModifyLayerAction>(*image);
    action->setLabel(label);
    auto* manager = dynamic_cast<ActionManager*>(image->history());
    if (manager && action->captureLayerChange(*image, bounds)) manager->record(std::move(action));
    // The erase stays done either way; the next edit starts from here.
    CommitSnapshots(*image);
    host.refresh(RefreshScope::Everything);
    return true;
}

} // namespace kv
