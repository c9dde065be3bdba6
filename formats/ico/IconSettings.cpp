#include "IconSettings.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace kvf {
namespace {

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool ParseHotspot(const std::string& text, IconSettings& s) {
    unsigned x = 0, y = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), " %u , %u %c", &x, &y, &tail) != 2 || x > 65535 || y > 65535)
        return false;
    s.hotspotX = std::uint16_t(x);
    s.hotspotY = std::uint16_t(y);
    return true;
}

void Apply(const std::string& key, const std::string& value, IconSettings& s) {
    if (key == "png" && value == "256") s.png = PngEntries::Large;
    if (key == "png" && value == "all") s.png = PngEntries::All;
    if (key == "png" && value == "none") s.png = PngEntries::None;
    if (key == "hotspot") ParseHotspot(value, s);
}

} // namespace

std::string IconSettingsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string folder = config && *config ? config : std::string(home ? home : ".") + "/.config";
    return folder + "/korvane/plugins/ico.conf";
}

IconSettings LoadIconSettings() {
    IconSettings s;
    std::ifstream file(IconSettingsPath());
    std::string line;
    while (std::getline(file, line)) {
        line = Trimmed(line.substr(0, line.find('#')));
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            Apply(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)), s);
    }
    if (const char* hotspot = std::getenv("KORVANE_CUR_HOTSPOT")) ParseHotspot(hotspot, s);
    return s;
}

void EnsureIconSettingsFile() {
    const std::filesystem::path path = IconSettingsPath();
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored)) return;
    std::filesystem::create_directories(path.parent_path(), ignored);
    std::ofstream file(path);
    file << "# Settings of the ICO and CUR plug-in.\n"
            "# Which entries are stored as PNG: 256 (256 x 256 images only), all or none.\n"
            "png = 256\n"
            "# The hotspot written into cursors, in pixels from the top-left corner.\n"
            "hotspot = 0, 0\n";
}

} // namespace kvf
