#include "tools/selection/SelectionEdit.h"

#include "editing/actions/ModifySelectionAction.h"
#include "editing/records/SelectionSnapshot.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "tools/framework/StrokeProtocol.h"

#include <cstring>

namespace kv {
namespace {

// Each byte of a level-0 mask becomes an 8 x 8 block of the 8x mask.
void ReplicateToDetail(const MaskArray& src, MaskArray& dst) {
    if (dst.width() != src.width() * 8 || dst.height() != src.height() * 8) return;
    for (std::int32_t y = 0; y < dst.height(); ++y) {
        const std::uint8_t* s = src.row(y >> 3);
        std::uint8_t* d = dst.row(y);
        for (std::int32_t x = 0; x < src.width(); ++x)
            std::memset(d + 8 * x, s[x], 8);
    }
}

// Region bytes are 0 or 255, so a partly selected old byte passes through
// wherever the combination keeps the old value.
void CombineWithBefore(MaskArray& mask, const MaskArray& before, ToolMode combination) {
    if (combination == ToolMode::Replace || before.width() != mask.width() ||
        before.height() != mask.height())
        return;
    std::uint8_t* m = mask.data();
    const std::uint8_t* b = before.data();
    const std::size_t n = mask.pixelCount();
    switch (combination) {
    case ToolMode::Add:
        for (std::size_t i = 0; i < n; ++i)
            m[i] |= b[i];
        break;
    case ToolMode::Subtract:
        for (std::size_t i = 0; i < n; ++i)
            m[i] = static_cast<std::uint8_t>(~m[i] & b[i]);
        break;
    default:
        for (std::size_t i = 0; i < n; ++i)
            m[i] &= b[i];
        break;
    }
}

// The editable mask holds the result: the selection recomputes, becomes
// active or, when nothing is left, inactive and following the image, and the
// change is recorded. The difference is taken before the selection follows
// the image, which may drop the 8x level the snapshot still has.
bool RecordSelectionChange(Image& image, std::unique_ptr<ModifySelectionAction> action) {
    Selection& selection = *image.selection();
    selection.refreshFromDetail(nullptr);
    const bool empty = selection.empty();
    selection.setActive(!empty);
    const bool captured = action->captureChange(image);
    if (empty) selection.followImage(image);
    const bool recorded = captured && RecordInHistory(image, std::move(action));
    CommitSnapshots(image);
    return recorded;
}

} // namespace

ToolMode CombinationFromKeys(ModifierKeys keys) {
    if (keys.shift && keys.alt) return ToolMode::Intersect;
    if (keys.alt) return ToolMode::Subtract;
    return keys.shift ? ToolMode::Add : ToolMode::Replace;
}

CursorRole SelectionCursor(ToolMode combination, bool wand) {
    switch (combination) {
    case ToolMode::Replace:
        return wand ? CursorRole::WandReplace : CursorRole::Cross;
    case ToolMode::Add:
        return wand ? CursorRole::WandAdd : CursorRole::SelectionAdd;
    case ToolMode::Subtract:
        return wand ? CursorRole::WandSubtract : CursorRole::SelectionSubtract;
    case ToolMode::Intersect:
        return wand ? CursorRole::WandIntersect : CursorRole::SelectionIntersect;
    default:
        return CursorRole::Arrow;
    }
}

SelectionEdit::SelectionEdit(Image& image, const char* label, bool detail)
    : m_image(image), m_selection(*image.selection()),
      m_action(std::make_unique<ModifySelectionAction>(image)) {
    m_action->setLabel(label);
    m_detail = detail && m_selection.supersampled();
    m_target = m_detail ? &m_selection.editableMask() : &m_selection.mask();
    m_ready = EnsureSnapshots(image);
}

SelectionEdit::~SelectionEdit() = default;

void SelectionEdit::finish(ToolMode combination) {
    MaskArray& editable = m_selection.editableMask();
    if (m_target != &editable) ReplicateToDetail(*m_target, editable);
    CombineWithBefore(editable, SelectionSnapshot::instance().mask(), combination);
    RecordSelectionChange(m_image, std::move(m_action));
}

bool DeselectByTool(Image& image) {
    Selection* selection = image.selection();
    if (!selection || !selection->active()) return false;
    auto action = std::make_unique<ModifySelectionAction>(image);
    action->setLabel("Deselect");
    if (!EnsureSnapshots(image)) return false;
    selection->editableMask().fill(0);
    return RecordSelectionChange(image, std::move(action));
}

} // namespace kv
