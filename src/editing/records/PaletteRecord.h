#pragma once
#include "editing/history/ActionData.h"

#include <memory>

namespace kv {

class Palette;

// The entries of a palette: its count (4 bytes), then each entry packed into
// 4 bytes, compressed as one stream.
class PaletteRecord {
  public:
    // Resets the coder first; null when it fails.
    static std::unique_ptr<PaletteRecord> take(const Palette& palette);
    // False when the data is damaged; the palette is then left alone.
    bool restore(Palette& palette) const;

  private:
    std::unique_ptr<ActionData> m_data;
};

} // namespace kv
