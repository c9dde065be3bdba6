#include "commands/edit/EditCommands.h"

#include "commands/edit/EraseSelection.h"
#include "commands/host/CommandHost.h"
#include "commands/host/CommandSupport.h"
#include "editing/actions/ModifySelectionAction.h"
#include "editing/history/Action.h"
#include "editing/history/ActionManager.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"

namespace kv {
namespace {

ActionManager* CurrentHistory() {
    const Image* image = CurrentImage();
    return image ? dynamic_cast<ActionManager*>(image->history()) : nullptr;
}

std::string ItemText(const char* item, const Action* action) {
    std::string text = item;
    if (action && !action->label().empty()) text += " " + action->label();
    return text;
}

const char* LabelOf(int change) {
    static const char* const kLabels[] = {"Select", "Deselect", "Invert Selection"};
    return kLabels[change];
}

} // namespace

bool EditCommands::canUndo() const {
    const ActionManager* history = CurrentHistory();
    return history && history->canUndo();
}

bool EditCommands::canRedo() const {
    const ActionManager* history = CurrentHistory();
    return history && history->canRedo();
}

std::string EditCommands::undoText() const {
    const ActionManager* history = CurrentHistory();
    return ItemText("&Undo", history ? history->undoCursor() : nullptr);
}

std::string EditCommands::redoText() const {
    const ActionManager* history = CurrentHistory();
    return ItemText("&Redo", history ? history->redoCursor() : nullptr);
}

bool EditCommands::undo() {
    ActionManager* history = CurrentHistory();
    if (!history) return false;
    const bool done = RunReported(m_host, [&] { return history->undo(*CurrentImage()); });
    if (done) m_host.refresh(RefreshScope::Everything);
    return done;
}

bool EditCommands::redo() {
    ActionManager* history = CurrentHistory();
    if (!history) return false;
    const bool done = RunReported(m_host, [&] { return history->redo(*CurrentImage()); });
    if (done) m_host.refresh(RefreshScope::Everything);
    return done;
}

bool EditCommands::canErase() const {
    return CanErase(CurrentImage());
}

bool EditCommands::erase() {
    return RunReported(m_host, [&] { return EraseSelection(m_host, "Erase"); });
}

bool EditCommands::canSelectAll() const {
    const Image* image = CurrentImage();
    return image && image->selection() && !image->selection()->full();
}

bool EditCommands::canDeselect() const {
    const Image* image = CurrentImage();
    return image && image->selection() && image->selection()->active();
}

bool EditCommands::selectAll() {
    return canSelectAll() &&
           RunReported(m_host, [&] { return changeSelection(MaskChange::SelectAll); });
}

bool EditCommands::deselect() {
    return canDeselect() &&
           RunReported(m_host, [&] { return changeSelection(MaskChange::Deselect); });
}

bool EditCommands::invertSelection() {
    return canInvert() && RunReported(m_host, [&] { return changeSelection(MaskChange::Invert); });
}

bool EditCommands::changeSelection(MaskChange change) {
    Image& image = *CurrentImage();
    Selection& selection = *image.selection();
    auto* history = dynamic_cast<ActionManager*>(image.history());
    if (!history) return false;
    auto action = std::make_unique<ModifySelectionAction>(image);
    action->setLabel(LabelOf(static_cast<int>(change)));
    EnsureSnapshots(image);
    MaskArray& mask = selection.editableMask();
    if (change == MaskChange::Invert)
        mask.invert();
    else
        mask.fill(change == MaskChange::SelectAll ? 255 : 0);
    selection.refreshFromDetail(nullptr);
    // The difference is taken before an emptied selection follows the
    // image, at the level the snapshot has.
    const bool captured = action->captureChange(image);
    const bool active =
        change == MaskChange::SelectAll || (change == MaskChange::Invert && !selection.empty());
    selection.setActive(active);
    if (!active) selection.followImage(image);
    if (captured) history->record(std::move(action));
    CommitSnapshots(image);
    m_host.refresh(RefreshScope::Selection);
    return true;
}

} // namespace kv
