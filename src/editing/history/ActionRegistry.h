#pragma once
#include <cstdint>

namespace kv {

class Action;

// The three undo limits; start-up copies them from the settings
// ("Limits.Undo.MinDepth", "Limits.Undo.MaxDepth", "Limits.Undo.MemoryLimit").
struct UndoLimits {
    int minDepth = 1;
    int maxDepth = 100;
    int memoryLimitMiB = 16;
};

// Every recorded action of every image, oldest first, so that the limits drop
// the oldest actions of the whole program whichever image they belong to.
class ActionRegistry {
  public:
    static ActionRegistry& instance();

    void setLimits(const UndoLimits& limits) { m_limits = limits; }
    const UndoLimits& limits() const { return m_limits; }

    std::uint32_t memory() const { return m_memory; }
    std::int32_t count() const { return m_count; }
    Action* oldest() const { return m_oldest; }
    Action* newest() const { return m_newest; }

    // Links the action at the end and applies the limits; an action that is
    // already registered is left alone. The action may be deleted here.
    void add(Action* action);
    // Unlinks without deleting (the action's destructor calls it).
    void remove(Action* action);
    // Deletes every action, newest first (program exit).
    void deleteAll();

    void addMemory(std::uint32_t bytes) { m_memory += bytes; }
    void releaseMemory(std::uint32_t bytes) { m_memory -= bytes; }

  private:
    ActionRegistry() = default;
    void enforceLimits();

    UndoLimits m_limits;
    std::uint32_t m_memory = 0;
    std::int32_t m_count = 0;
    Action* m_oldest = nullptr;
    Action* m_newest = nullptr;
};

} // namespace kv
