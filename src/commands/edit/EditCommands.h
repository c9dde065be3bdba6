#pragma once
// The Edit menu without the clipboard: Undo, Redo, Erase, Select All,
// Deselect and Invert Selection, on the current image.
#include <string>

namespace kv {

class CommandHost;

class EditCommands {
  public:
    explicit EditCommands(CommandHost& host) : m_host(host) {}

    bool canUndo() const;
    bool canRedo() const;
    // "&Undo" and "&Redo", each followed by a blank and the label of the
    // action it would take back or do again.
    std::string undoText() const;
    std::string redoText() const;
    bool canErase() const;
    // A selection that is not full.
    bool canSelectAll() const;
    // Deselect and Invert need an active selection.
    bool canDeselect() const;
    bool canInvert() const { return canDeselect(); }

    bool undo();
    bool redo();
    // Beeps without an active selection and a visible raster layer.
    bool erase();
    bool selectAll();
    bool deselect();
    bool invertSelection();

  private:
    enum class MaskChange { SelectAll, Deselect, Invert };
    bool changeSelection(MaskChange change);

    CommandHost& m_host;
};

} // namespace kv
