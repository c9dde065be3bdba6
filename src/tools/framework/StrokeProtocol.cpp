#include "tools/framework/StrokeProtocol.h"

#include "editing/actions/ModifyLayerAction.h"
#include "editing/history/ActionManager.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "tools/framework/ToolGeometry.h"

#include <memory>

namespace kv {

bool RecordInHistory(Image& image, std::unique_ptr<Action> action) {
    auto* manager = dynamic_cast<ActionManager*>(image.history());
    if (!manager) return false;
    manager->record(std::move(action));
    return true;
}

bool BeginStroke(const Image& image) {
    return EnsureSnapshots(image);
}

bool CommitStroke(Image& image, const Rect& strokeUnits, const std::string& label) {
    auto* layer = dynamic_cast<Layer*>(image.currentLayer());
    if (!layer) return false;
    const Rect painted =
        strokeUnits.intersected(LayerBoundsInUnits(layer->width(), layer->height()));
    if (painted.isEmpty()) return false;
    image.update(UnitsToImagePixels(painted));

    auto action = std::make_unique<ModifyLayerAction>(image);
    action->setLabel(label);
    const int level = layer->supersampled() ? kDetailLevel : 0;
    const bool recorded = action->captureLayerChange(image, UnitsToLayerPixels(painted, level)) &&
                          RecordInHistory(image, std::move(action));
    // The edit stays done either way; the next one starts from here.
    CommitSnapshots(image);
    return recorded;
}

} // namespace kv
