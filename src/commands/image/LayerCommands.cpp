#include "commands/image/LayerCommands.h"

#include "commands/host/CommandHost.h"
#include "commands/host/CommandSupport.h"
#include "editing/actions/DeleteLayerAction.h"
#include "editing/actions/DuplicateLayerAction.h"
#include "editing/actions/LayerPropertiesAction.h"
#include "editing/actions/MergeLayersAction.h"
#include "editing/actions/MoveLayerAction.h"
#include "editing/actions/NewLayerAction.h"
#include "model/Image.h"
#include "model/Layer.h"

namespace kv {
namespace {

LayerBase* CurrentLayer() {
    const Image* image = CurrentImage();
    return image ? image->currentLayer() : nullptr;
}

std::int32_t IdOf(const LayerBase* layer) {
    return layer ? static_cast<std::int32_t>(layer->id()) : -1;
}

} // namespace

bool LayerCommands::hasImage() const {
    return CurrentImage() != nullptr;
}

bool LayerCommands::canNewSupersampledLayer() const {
    const Image* image = CurrentImage();
    return image && SupersamplingAllowed(image->width(), image->height());
}

bool LayerCommands::hasCurrentLayer() const {
    return CurrentLayer() != nullptr;
}

bool LayerCommands::canMergeDown() const {
    const LayerBase* layer = CurrentLayer();
    return layer && layer->below();
}

bool LayerCommands::canProperties() const {
    return CurrentRasterLayer() != nullptr;
}

bool LayerCommands::canMoveForward() const {
    const LayerBase* layer = CurrentLayer();
    return layer && layer->above();
}

bool LayerCommands::canMoveBackward() const {
    return canMergeDown();
}

bool LayerCommands::addLayer(bool supersampled) {
    const Image* image = CurrentImage();
    if (!image) return false;
    auto action = std::make_unique<NewLayerAction>(*image);
    action->supersampled = supersampled;
    return PerformAction(m_host, std::move(action));
}

bool LayerCommands::newLayer() {
    return addLayer(false);
}

bool LayerCommands::newSupersampledLayer() {
    if (!canNewSupersampledLayer()) {
        // Also reached by its shortcut on an unsuitable image.
        m_host.beep();
        return false;
    }
    return addLayer(true);
}

bool LayerCommands::duplicate() {
    const Image* image = CurrentImage();
    if (!image || !image->currentLayer()) return false;
    return PerformAction(m_host, std::make_unique<DuplicateLayerAction>(*image));
}

bool LayerCommands::deleteLayer() {
    const Image* image = CurrentImage();
    if (!image) return false;
    return PerformAction(m_host, std::make_unique<DeleteLayerAction>(*image));
}

bool LayerCommands::mergeDown() {
    if (!canMergeDown()) return false;
    // The action's defaults: the current layer into the one below, which
    // gives its name.
    return PerformAction(m_host, std::make_unique<MergeLayersAction>(*CurrentImage()));
}

bool LayerCommands::mergeAll() {
    const Image* image = CurrentImage();
    if (!image) return false;
    auto action = std::make_unique<MergeLayersAction>(*image);
    action->mergeAll = true;
    action->resultName.clear();
    action->setLabel("Merge All Layers");
    return PerformAction(m_host, std::move(action));
}

bool LayerCommands::properties() {
    const Image* image = CurrentImage();
    if (!CurrentRasterLayer()) return false;
    auto action = std::make_unique<LayerPropertiesAction>(*image);
    DialogValues dialog = LayerPropertiesValues{
        action->newValues, SupersamplingAllowed(image->width(), image->height())};
    if (!m_host.runDialog(dialog)) return false;
    action->newValues = std::get<LayerPropertiesValues>(dialog).values;
    return PerformAction(m_host, std::move(action));
}

bool LayerCommands::select(LayerBase* layer) {
    Image* image = CurrentImage();
    if (!image || !layer) return false;
    image->setCurrentLayer(layer);
    CommitCurrentSnapshots();
    m_host.refresh(RefreshScope::Everything);
    return true;
}

bool LayerCommands::nextUp() {
    const LayerBase* layer = CurrentLayer();
    return layer && select(layer->above());
}

bool LayerCommands::nextDown() {
    const LayerBase* layer = CurrentLayer();
    return layer && select(layer->below());
}

bool LayerCommands::moveAbove(int targetId) {
    auto action = std::make_unique<MoveLayerAction>(*CurrentImage());
    action->targetId = targetId;
    return PerformAction(m_host, std::move(action));
}

bool LayerCommands::bringToFront() {
    if (!hasCurrentLayer()) return false;
    return moveAbove(IdOf(CurrentImage()->topLayer()));
}

bool LayerCommands::moveForward() {
    if (!canMoveForward()) return false;
    return moveAbove(IdOf(CurrentLayer()->above()));
}

bool LayerCommands::moveBackward() {
    if (!canMoveBackward()) return false;
    // Two below; none there means the bottom.
    return moveAbove(IdOf(CurrentLayer()->below()->below()));
}

bool LayerCommands::sendToBack() {
    if (!hasCurrentLayer()) return false;
    return moveAbove(-1);
}

} // namespace kv
