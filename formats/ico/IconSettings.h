#pragma once
// The plug-in's own settings, kept in a small text file, because a plug-in
// has no window of its own to ask in:
//   $XDG_CONFIG_HOME/korvane/plugins/ico.conf (default ~/.config)
//     png = 256        which entries are PNG: 256 (256 x 256 only), all, none
//     hotspot = 3, 4   the hotspot written into cursors
// KORVANE_CUR_HOTSPOT="X,Y" in the environment overrides the file's hotspot,
// so that one export can say where its hotspot is.
#include <cstdint>
#include <string>

namespace kvf {

enum class PngEntries { Large, All, None };

struct IconSettings {
    PngEntries png = PngEntries::Large;
    std::uint16_t hotspotX = 0;
    std::uint16_t hotspotY = 0;
};

std::string IconSettingsPath();
IconSettings LoadIconSettings();
// Creates the file with the defaults and their explanation unless it exists.
void EnsureIconSettingsFile();

} // namespace kvf
