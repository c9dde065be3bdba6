#include "commands/edit/PastePicture.h"

#include "commands/host/CommandHost.h"
#include "commands/host/CommandSupport.h"
#include "editing/actions/ActionSupport.h"
#include "editing/actions/ModifyLayerAction.h"
#include "editing/actions/PasteAction.h"
#include "editing/history/ActionManager.h"
#include "editing/records/LayerSnapshot.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "tools/framework/PaintTarget.h"

namespace kv {
namespace {

// What a failed paste leaves: the image as it was, the snapshots (which
// may hold the picture) back in line with it.
bool PasteFailed(Image& image) {
    image.update();
    CommitSnapshots(image);
    return false;
}

std::int32_t CeilDiv8(std::int32_t v) {
    return (v + 7) / 8;
}

// The selection goes with the paste; its difference is recorded with it.
bool DropSelection(Image& image, ModifyLayerAction& action) {
    Selection* selection = image.selection();
    if (!selection || !selection->active()) return true;
    selection->editableMask().fill(0);
    selection->refreshFromDetail(nullptr);
    const bool captured = action.captureSelectionChange(image);
    selection->setActive(false);
    selection->followImage(image);
    return captured;
}

} // namespace

bool PasteAsNewLayer(CommandHost& host, Image& image, const PastePicture& picture,
                     ImagePoint centre) {
    const std::int32_t w = picture.pixels.width(), h = picture.pixels.height();
    if (w <= 0 || h <= 0) return false;
    const auto* current = dynamic_cast<const Layer*>(image.currentLayer());
    const bool detailed = current && current->visible() && current->supersampled();
    const std::int32_t width = detailed ? CeilDiv8(w) : w;
    const std::int32_t height = detailed ? CeilDiv8(h) : h;

    // Made before the selection is cleared: it records the selection.
    auto action = std::make_unique<PasteAction>(image);
    LayerSnapshot& snapshot = LayerSnapshot::instance();
    if (!snapshot.prepare(width, height, detailed ? kDetailLevel : 0)) return PasteFailed(image);
    PixelArray& target = snapshot.pixels();
    target.fill(0);
    snapshot.setOffset({centre.x - 128 * width, centre.y - 128 * height});
    WritePastePicture(target, (target.width() - w) / 2, (target.height() - h) / 2, picture.pixels,
                      ChannelMode::Normal);
    if (!action->takePastedPicture()) return PasteFailed(image);
    if (!PerformAction(host, std::move(action))) return PasteFailed(image);
    return true;
}

bool PasteIntoLayer(CommandHost& host, Image& image, const PastePicture& picture,
                    ChannelMode mode) {
    Layer* layer = PaintableLayer(&image);
    auto* history = dynamic_cast<ActionManager*>(image.history());
    if (!layer || !history) return false;
    auto action = std::make_unique<ModifyLayerAction>(image);
    action->setLabel("Paste");
    if (!EnsureSnapshots(image)) return PasteFailed(image);

    PixelArray& raster = layer->editablePixels();
    const std::int32_t w = picture.pixels.width(), h = picture.pixels.height();
    const std::int32_t x = (raster.width() - w) / 2, y = (raster.height() - h) / 2;
    const Rect rect = Rect{x, y, x + w, y + h}.intersected(raster.bounds());
    WritePastePicture(raster, x, y, picture.pixels, mode);
    const Rect imageRect = layer->supersampled() ? DetailToImageRect(rect, kDetailLevel) : rect;
    if (layer->supersampled()) layer->refreshFromDetail(&imageRect);
    image.update(imageRect);

    const bool captured = action->captureLayerChange(image, rect) && DropSelection(image, *action);
    if (captured) history->record(std::move(action));
    CommitSnapshots(image);
    host.refresh(RefreshScope::Everything);
    return captured;
}

std::optional<PastePicture> PictureOfImage(const Image& image) {
    const PixelArray& composite = image.composite();
    if (composite.isEmpty()) return std::nullopt;
    PastePicture picture;
    picture.pixels.assign(composite);
    picture.resolutionX = image.horizontalResolution();
    picture.resolutionY = image.verticalResolution();
    return picture;
}

} // namespace kv
