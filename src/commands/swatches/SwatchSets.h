#pragma once
// The program's swatches (the colour panel's grid) and the ready-made sets
// the "New swatch set" menu offers.
#include "model/Color32.h"

#include <vector>

namespace kv {

// Sixteen standard colours: black, the dark and the bright primaries and
// secondaries, two greys and white.
std::vector<Color32> DefaultSwatchSet();
// The 216 colours whose channels are multiples of 51, red changing slowest.
std::vector<Color32> WebSafeSwatchSet();

// The one swatch list of the program.
class SwatchList {
  public:
    static SwatchList& instance();

    const std::vector<Color32>& colors() const { return m_colors; }
    void replace(std::vector<Color32> colors) { m_colors = std::move(colors); }
    void add(Color32 color) { m_colors.push_back(color); }
    void clear() { m_colors.clear(); }

  private:
    SwatchList() = default;
    std::vector<Color32> m_colors;
};

} // namespace kv
