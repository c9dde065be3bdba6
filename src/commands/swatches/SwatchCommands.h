#pragma once
// The colour panel's swatch commands: a new set (empty, default, web-safe),
// loading and saving swatch set files (ours, or GIMP and JASC palettes by
// their extension), adding the primary or secondary colour.
#include "model/Color32.h"

namespace kv {

class CommandHost;
class SwatchList;

enum class SwatchSetKind { Empty, Default, WebSafe };

inline constexpr const char* kSwatchSetTypeName = "Korvane swatch set";
inline constexpr const char* kSwatchSetExtension = "kvcolors";

class SwatchCommands {
  public:
    SwatchCommands(CommandHost& host, SwatchList& swatches) : m_host(host), m_swatches(swatches) {}

    bool newSet(SwatchSetKind kind);
    // A damaged file is reported and the current swatches stay.
    bool load();
    bool save();
    bool addPrimaryColor();
    bool addSecondaryColor();

  private:
    bool add(Color32 color);

    CommandHost& m_host;
    SwatchList& m_swatches;
};

} // namespace kv
