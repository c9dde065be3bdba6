#include "editing/history/ActionRegistry.h"

#include "editing/history/Action.h"

namespace kv {

ActionRegistry& ActionRegistry::instance() {
    static ActionRegistry registry;
    return registry;
}

void ActionRegistry::add(Action* action) {
    if (!action || action->m_registry) return;
    action->m_registry = this;
    action->m_registryPrevious = m_newest;
    action->m_registryNext = nullptr;
    (m_newest ? m_newest->m_registryNext : m_oldest) = action;
    m_newest = action;
    ++m_count;
    enforceLimits();
}

void ActionRegistry::remove(Action* action) {
    if (action->m_registry != this) return;
    (action->m_registryPrevious ? action->m_registryPrevious->m_registryNext : m_oldest) =
        action->m_registryNext;
    (action->m_registryNext ? action->m_registryNext->m_registryPrevious : m_newest) =
        action->m_registryPrevious;
    action->m_registryPrevious = action->m_registryNext = nullptr;
    action->m_registry = nullptr;
    --m_count;
}

void ActionRegistry::deleteAll() {
    while (m_newest)
        delete m_newest;
}

void ActionRegistry::enforceLimits() {
    while (m_oldest && m_count > m_limits.maxDepth)
        delete m_oldest;
    const std::uint64_t limit = static_cast<std::uint64_t>(m_limits.memoryLimitMiB) * 1048576u;
    while (m_oldest && m_memory > limit && m_count > m_limits.minDepth)
        delete m_oldest;
}

} // namespace kv
