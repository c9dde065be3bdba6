#pragma once
// How the selection tools change the selection: the new region is written
// into a target mask (level 0, or the 8x level beside a supersampled layer),
// carried to the editable mask, combined with the mask as it was before the
// edit (from the selection snapshot), and recorded as one Modify Selection
// action.
#include "model/MaskArray.h"
#include "tools/framework/ToolTypes.h"

#include <memory>

namespace kv {

class Image;
class ModifySelectionAction;
class Selection;

// Replace, Add, Subtract or Intersect from the keys: SHIFT adds, ALT
// subtracts, both intersect.
ToolMode CombinationFromKeys(ModifierKeys keys);
// The cursor of a combination, for the Selection Tool or the Magic Wand.
CursorRole SelectionCursor(ToolMode combination, bool wand);

class SelectionEdit {
  public:
    // The action is made now, so that it keeps the selection's flags before
    // the change, and the snapshots are made current. `detail` asks for the
    // 8x level as the target; without one, level 0 serves.
    SelectionEdit(Image& image, const char* label, bool detail);
    ~SelectionEdit();
    SelectionEdit(const SelectionEdit&) = delete;
    SelectionEdit& operator=(const SelectionEdit&) = delete;

    // False when the snapshots could not be made: nothing may be written.
    bool ready() const { return m_ready; }
    MaskArray& target() { return *m_target; }
    bool detail() const { return m_detail; }

    // The target holds the new region (0 or 255 per byte): it replaces the
    // selection, or is added to, subtracted from or intersected with it.
    // An empty result drops the selection.
    void finish(ToolMode combination);

  private:
    Image& m_image;
    Selection& m_selection;
    std::unique_ptr<ModifySelectionAction> m_action;
    MaskArray* m_target;
    bool m_detail;
    bool m_ready;
};

// Clears an active selection as one "Deselect" action; nothing otherwise.
// True when something was recorded.
bool DeselectByTool(Image& image);

} // namespace kv
