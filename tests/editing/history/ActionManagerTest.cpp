// The undo history against a tiny model: each action appends its number to a
// list on redo and removes it on undo, so the list shows what is done.
#include "editing/history/ActionManager.h"
#include "editing/history/Action.h"
#include "editing/history/ActionData.h"
#include "editing/history/ActionRegistry.h"
#include "model/Image.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace kv {
namespace {

struct Model {
    std::vector<int> done;
    std::set<int> alive;
};

class ListAction : public Action {
  public:
    ListAction(Model& model, int number, std::size_t payload = 0)
        : Action(nullptr, "Step"), m_model(model), m_number(number), m_payload(payload) {
        if (payload) m_memory = AllocActionMemory(payload);
        m_model.alive.insert(number);
    }
    ~ListAction() override {
        FreeActionMemory(m_memory, m_payload);
        m_model.alive.erase(m_number);
    }
    bool redo(Image&) override {
        if (failNext) return false;
        m_model.done.push_back(m_number);
        return true;
    }
    bool undo(Image&) override {
        if (failNext || m_model.done.empty() || m_model.done.back() != m_number) return false;
        m_model.done.pop_back();
        return true;
    }
    bool failNext = false;

  private:
    Model& m_model;
    int m_number;
    std::size_t m_payload;
    void* m_memory = nullptr;
};

class ActionManagerTest : public ::testing::Test {
  protected:
    void SetUp() override { ActionRegistry::instance().setLimits(UndoLimits{}); }
    void TearDown() override {
        first.clear();
        second.clear();
        ActionRegistry::instance().deleteAll();
        ActionRegistry::instance().setLimits(UndoLimits{});
    }
    // Performs actions numbered from..to on a manager.
    void performRange(ActionManager& manager, int from, int to, std::size_t payload = 0) {
        for (int i = from; i <= to; ++i) {
            std::unique_ptr<Action> action = std::make_unique<ListAction>(model, i, payload);
            ASSERT_TRUE(manager.perform(&image, action));
        }
    }
    std::vector<int> aliveList() const { return {model.alive.begin(), model.alive.end()}; }

    Model model;
    Image image;
    ActionManager first;
    ActionManager second;
    test::CapturingReporter reporter;
};

// Refused calls: undo or redo with nothing to do beeps; a failing action
// moves no cursor and a refused one stays with the caller.
TEST_F(ActionManagerTest, UndoRedoMoveTheCursorsAndRecordingDiscardsTheUndonePart) {
    EXPECT_FALSE(first.undo(image));
    performRange(first, 1, 3);
    EXPECT_TRUE(first.undo(image));
    EXPECT_TRUE(first.undo(image));
    EXPECT_EQ(model.done, (std::vector<int>{1}));
    EXPECT_EQ(first.undoCursor(), first.oldest());
    EXPECT_EQ(first.redoCursor(), first.oldest()->next());
    EXPECT_TRUE(first.redo(image));
    EXPECT_EQ(model.done, (std::vector<int>{1, 2}));
    EXPECT_TRUE(first.undo(image));

    performRange(first, 4, 4);
    EXPECT_EQ(aliveList(), (std::vector<int>{1, 4}));
    EXPECT_EQ(first.count(), 2);
    EXPECT_EQ(ActionRegistry::instance().count(), 2);
    EXPECT_FALSE(first.redo(image));
    EXPECT_EQ(reporter.beeps, 2);
    EXPECT_EQ(model.done, (std::vector<int>{1, 4}));

    auto* newest = static_cast<ListAction*>(first.newest());
    newest->failNext = true;
    EXPECT_FALSE(first.undo(image));
    EXPECT_EQ(first.undoCursor(), newest);
    EXPECT_EQ(first.redoCursor(), nullptr);
    std::unique_ptr<Action> failing = std::make_unique<ListAction>(model, 9);
    static_cast<ListAction*>(failing.get())->failNext = true;
    EXPECT_FALSE(first.perform(&image, failing));
    EXPECT_TRUE(failing);
    EXPECT_FALSE(first.perform(nullptr, failing)) << "no current image";
    EXPECT_EQ(first.count(), 2);
}

// The depth limit drops the program's oldest action whichever image it
// belongs to; an undone one takes the newer (undone) ones with it.
TEST_F(ActionManagerTest, DepthLimitDropsTheProgramsOldestActions) {
    struct Case {
        UndoLimits limits;
        int onSecond, undoneOnSecond, onFirst;
        std::vector<int> alive;
    };
    const Case cases[] = {
        {{1, 3, 16}, 1, 0, 3, {2, 3, 4}},
        {{1, 3, 16}, 2, 2, 2, {3, 4}},
        {{0, 0, 16}, 0, 0, 1, {}}, // zero depth deletes the new action at once
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alive.size());
        ActionRegistry::instance().setLimits(c.limits);
        performRange(second, 1, c.onSecond);
        for (int i = 0; i < c.undoneOnSecond; ++i)
            second.undo(image);
        performRange(first, c.onSecond + 1, c.onSecond + c.onFirst);
        EXPECT_EQ(aliveList(), c.alive);
        EXPECT_EQ(second.count(), 0);
        EXPECT_EQ(second.undoCursor(), nullptr);
        EXPECT_FALSE(second.canRedo());
        EXPECT_EQ(first.count(), static_cast<std::int32_t>(c.alive.size()));
        EXPECT_EQ(first.canUndo(), !c.alive.empty());
        EXPECT_EQ(ActionRegistry::instance().count(), static_cast<std::int32_t>(c.alive.size()));
        first.clear();
        model.done.clear();
    }
}

} // namespace
} // namespace kv
