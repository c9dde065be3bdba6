#include "editing/records/SelectionSnapshot.h"

#include "model/Selection.h"

namespace kv {
namespace {
bool CopyMask(MaskArray& dst, const MaskArray& src) {
    dst.setSize(src.width(), src.height());
    if (src.isEmpty()) {
        dst.release();
        return true;
    }
    if (dst.isEmpty()) return false;
    CopyRaster(dst, 0, 0, src);
    return true;
}
} // namespace

SelectionSnapshot& SelectionSnapshot::instance() {
    static SelectionSnapshot snapshot;
    return snapshot;
}

bool SelectionSnapshot::take(const Selection& selection) {
    m_offset = {};
    m_width = selection.width();
    m_height = selection.height();
    m_supersampled = selection.supersampled();
    bool ok = CopyMask(m_mask, selection.editableMask());
    if (m_supersampled)
        ok = CopyMask(m_levelZero, selection.mask()) && ok;
    else
        m_levelZero.release();
    if (!ok) release();
    return ok;
}

bool SelectionSnapshot::matches(const Selection& selection) const {
    return m_offset == Point{} && m_width == selection.width() && m_height == selection.height() &&
           m_supersampled == selection.supersampled();
}

bool SelectionSnapshot::prepare(std::int32_t width, std::int32_t height, bool supersampled) {
    m_offset = {};
    m_width = width;
    m_height = height;
    m_supersampled = supersampled;
    const int shift = supersampled ? Selection::kLevels : 0;
    m_mask.setSize(width << shift, height << shift);
    if (supersampled)
        m_levelZero.setSize(width, height);
    else
        m_levelZero.release();
    const bool ok = width <= 0 || height <= 0 ||
                    (!m_mask.isEmpty() && (!supersampled || !m_levelZero.isEmpty()));
    if (!ok) release();
    return ok;
}

void SelectionSnapshot::release() {
    m_mask.release();
    m_levelZero.release();
    m_width = m_height = 0;
    m_supersampled = false;
    m_offset = {};
}

} // namespace kv
