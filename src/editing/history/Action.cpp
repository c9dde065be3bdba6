#include "editing/history/Action.h"

#include "editing/history/ActionManager.h"
#include "editing/history/ActionRegistry.h"
#include "model/Image.h"

namespace kv {

Action::Action(const Image* image, std::string label) : m_label(std::move(label)) {
    const LayerBase* layer = image ? image->currentLayer() : nullptr;
    if (!layer) return;
    m_layerId = static_cast<std::int32_t>(layer->id());
    if (const LayerBase* below = layer->below())
        m_layerBelowId = static_cast<std::int32_t>(below->id());
}

Action::~Action() {
    if (m_manager) m_manager->unlink(this);
    if (m_registry) m_registry->remove(this);
}

} // namespace kv
