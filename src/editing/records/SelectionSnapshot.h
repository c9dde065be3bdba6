#pragma once
#include "model/Geometry.h"
#include "model/MaskArray.h"

#include <cstdint>

namespace kv {

class Selection;

// The process-wide copy of the selection's editable mask (and of its level-0
// mask while supersampled) as it was before the edit in progress.
class SelectionSnapshot {
  public:
    static SelectionSnapshot& instance();

    // False when memory runs out.
    bool take(const Selection& selection);
    bool matches(const Selection& selection) const;
    // Makes room for the masks of a width x height selection (contents
    // undefined) with a zero offset, for records that put a snapshot back.
    // False when memory runs out.
    bool prepare(std::int32_t width, std::int32_t height, bool supersampled);
    void release();

    MaskArray& mask() { return m_mask; }
    const MaskArray& mask() const { return m_mask; }
    // Only while the selection was supersampled; empty otherwise.
    MaskArray& levelZero() { return m_levelZero; }
    const MaskArray& levelZero() const { return m_levelZero; }
    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    bool supersampled() const { return m_supersampled; }
    Point offset() const { return m_offset; }
    void setOffset(Point offset) { m_offset = offset; }

  private:
    SelectionSnapshot() = default;

    MaskArray m_mask;
    MaskArray m_levelZero;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    bool m_supersampled = false;
    Point m_offset;
};

} // namespace kv
