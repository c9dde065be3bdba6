#pragma once
#include <cstdint>
#include <string>

namespace kv {

class ActionManager;
class ActionRegistry;
class Image;

// An undoable change. Kinds override redo (also the first execution) and
// undo; those that must record "before" values at creation override capture
// and call it at the end of their own constructor. Actions refer to layers by
// id, so they stay valid while layers come and go.
class Action {
  public:
    // Takes the ids of the image's current layer and of the layer below it
    // (-1 when missing or without an image).
    explicit Action(const Image* image, std::string label = {});
    // Unlinks from the manager (taking older or newer actions with it, see
    // ActionManager) and from the registry, and releases the data.
    virtual ~Action();
    Action(const Action&) = delete;
    Action& operator=(const Action&) = delete;

    // Records the "before" state from the image the action is made for.
    virtual void capture(const Image& /*image*/) {}
    virtual bool redo(Image& image) = 0;
    virtual bool undo(Image& image) = 0;

    const std::string& label() const { return m_label; }
    void setLabel(std::string label) { m_label = std::move(label); }
    std::int32_t layerId() const { return m_layerId; }
    std::int32_t layerBelowId() const { return m_layerBelowId; }

    ActionManager* manager() const { return m_manager; }
    ActionRegistry* registry() const { return m_registry; }
    Action* previous() const { return m_previous; }
    Action* next() const { return m_next; }
    Action* registryPrevious() const { return m_registryPrevious; }
    Action* registryNext() const { return m_registryNext; }

  private:
    friend class ActionManager;
    friend class ActionRegistry;

    ActionManager* m_manager = nullptr;
    ActionRegistry* m_registry = nullptr;
    Action* m_previous = nullptr;
    Action* m_next = nullptr;
    Action* m_registryPrevious = nullptr;
    Action* m_registryNext = nullptr;
    std::int32_t m_layerId = -1;
    std::int32_t m_layerBelowId = -1;
    std::string m_label;
};

} // namespace kv
