#pragma once
#include "model/ImageHistory.h"

#include <cstdint>
#include <memory>

namespace kv {

class Action;
class Image;

// One image's undo history: a list of actions from oldest to newest. The part
// up to the undo cursor is done, the part from the redo cursor on is undone.
class ActionManager : public ImageHistory {
  public:
    ActionManager() = default;
    ~ActionManager() override;
    ActionManager(const ActionManager&) = delete;
    ActionManager& operator=(const ActionManager&) = delete;

    // Redoes the action on the image and records it when that succeeds. On
    // false nothing is recorded and the action stays the caller's.
    bool perform(Image* currentImage, std::unique_ptr<Action>& action);
    // Adds an action whose change the caller has already made. The undone part
    // is discarded first; the registry's limits may delete the action at once.
    void record(std::unique_ptr<Action> action);

    // The Undo and Redo commands: beep when there is nothing to do; a failing
    // action leaves both cursors where they were.
    bool undo(Image& image);
    bool redo(Image& image);
    Action* undoCursor() const { return m_undoCursor; }
    Action* redoCursor() const { return m_redoCursor; }
    bool canUndo() const { return m_undoCursor != nullptr; }
    bool canRedo() const { return m_redoCursor != nullptr; }

    // Deletes every action, newest first.
    void clear();

    std::int32_t count() const { return m_count; }
    Action* oldest() const { return m_oldest; }
    Action* newest() const { return m_newest; }
    std::size_t memorySize() const override { return 20; }

  private:
    friend class Action;
    // Called by a dying action of this manager.
    void unlink(Action* action);

    std::int32_t m_count = 0;
    Action* m_undoCursor = nullptr;
    Action* m_redoCursor = nullptr;
    Action* m_oldest = nullptr;
    Action* m_newest = nullptr;
};

// Makes every image created from now on own an ActionManager.
void InstallActionManagers();

} // namespace kv
