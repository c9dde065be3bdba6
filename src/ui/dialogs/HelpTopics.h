#pragma once
// The help topics the menus and dialogs open, by file name.

namespace kv::help {

inline constexpr const char* kContents = "index.html";
inline constexpr const char* kKeyboard = "keyboard.html";
inline constexpr const char* kNewProject = "ui.dialogs.newproject.html";
inline constexpr const char* kNewImage = "ui.dialogs.newimage.html";
inline constexpr const char* kImageProperties = "ui.dialogs.imageprops.html";
inline constexpr const char* kLayerProperties = "ui.dialogs.layerprops.html";
inline constexpr const char* kOptions = "options.html";

} // namespace kv::help
