#pragma once
#include "desktop/ShellIcons.h"

namespace kv {

// What to register with the desktop: the application entry, the file types.
enum ShellParts : unsigned {
    kShellApplication = 1u << 0,
    kShellFileTypes = 1u << 1,
    kShellEverything = kShellApplication | kShellFileTypes,
};

struct ShellFileType {
    const char* extension; // without the dot
    const char* className;
    const char* description;
    int iconIndex;
    const char* mimeType;
    ShellIcon icon;
};

// In registration order.
inline constexpr ShellFileType kShellFileTypeTable[] = {
    {"kvplugin", "Korvane.Plugin", "Korvane Plugin", 1, "application/x-korvane-plugin",
     ShellIcon::Plugin},
    {"kvp", "Korvane.Project", "Korvane Project", 2, "application/x-korvane-project",
     ShellIcon::Project},
    {"kvcolors", "Korvane.Colors", "Korvane Colors", 3, "application/x-korvane-colors",
     ShellIcon::Colors},
};

} // namespace kv
