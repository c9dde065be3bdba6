#include "editing/history/ActionManager.h"

#include "editing/history/Action.h"
#include "editing/history/ActionRegistry.h"
#include "platform/ErrorReporter.h"

namespace kv {

ActionManager::~ActionManager() {
    clear();
}

bool ActionManager::perform(Image* currentImage, std::unique_ptr<Action>& action) {
    if (!currentImage || !action || !action->redo(*currentImage)) return false;
    record(std::move(action));
    return true;
}

void ActionManager::record(std::unique_ptr<Action> owned) {
    if (!owned) return;
    if (owned->m_manager) {
        (void)owned.release(); // its own manager keeps it
        return;
    }
    Action* action = owned.release();
    while (m_newest && m_newest != m_undoCursor)
        delete m_newest;
    action->m_previous = m_newest;
    action->m_next = nullptr;
    (m_newest ? m_newest->m_next : m_oldest) = action;
    action->m_manager = this;
    m_redoCursor = nullptr;
    ++m_count;
    m_newest = m_undoCursor = action;
    ActionRegistry::instance().add(action); // may delete the action
}

bool ActionManager::undo(Image& image) {
    Action* action = m_undoCursor;
    if (!action) {
        Beep();
        return false;
    }
    if (!action->undo(image)) return false;
    m_redoCursor = action;
    m_undoCursor = action->m_previous;
    return true;
}

bool ActionManager::redo(Image& image) {
    Action* action = m_redoCursor;
    if (!action) {
        Beep();
        return false;
    }
    if (!action->redo(image)) return false;
    m_undoCursor = action;
    m_redoCursor = action->m_next;
    return true;
}

void ActionManager::clear() {
    while (m_newest)
        delete m_newest;
    m_count = 0;
    m_undoCursor = m_redoCursor = m_oldest = m_newest = nullptr;
}

void ActionManager::unlink(Action* action) {
    bool done = false;
    for (Action* a = m_undoCursor; a; a = a->m_previous) {
        if (a == action) {
            done = true;
            break;
        }
    }
    if (done) {
        // Older actions cannot be undone without this one: they go first.
        while (action->m_previous)
            delete m_oldest;
        m_oldest = action->m_next;
        if (m_oldest)
            m_oldest->m_previous = nullptr;
        else
            m_newest = nullptr;
        if (m_undoCursor == action) m_undoCursor = nullptr;
    } else {
        // Newer actions cannot be redone without this one: they go first.
        while (action->m_next)
            delete m_newest;
        m_newest = action->m_previous;
        if (m_newest)
            m_newest->m_next = nullptr;
        else
            m_oldest = nullptr;
        if (m_redoCursor == action) m_redoCursor = nullptr;
    }
    action->m_previous = action->m_next = nullptr;
    action->m_manager = nullptr;
    --m_count;
}

void InstallActionManagers() {
    SetImageHistoryFactory([] { return std::make_unique<ActionManager>(); });
}

} // namespace kv
