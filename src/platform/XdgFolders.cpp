#include "platform/XdgFolders.h"

#include "platform/WholeFiles.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kv {
namespace {

std::string AbsoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    return value && value[0] == '/' ? std::string(value) : std::string();
}

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string HomeRelative(const char* envName, const char* fallback) {
    std::string path = AbsoluteEnv(envName);
    if (path.empty()) {
        const std::string home = HomeFolder();
        if (home.empty()) return {};
        path = home + fallback;
    }
    return WithoutTrailingSlashes(path);
}

bool IsFolder(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::string HomeFolder() {
    std::string home = AbsoluteEnv("HOME");
    if (home.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/')
            home = pw->pw_dir;
    }
    return WithoutTrailingSlashes(home);
}

std::string XdgConfigHome() {
    return HomeRelative("XDG_CONFIG_HOME", "/.config");
}
std::string XdgDataHome() {
    return HomeRelative("XDG_DATA_HOME", "/.local/share");
}
std::string XdgStateHome() {
    return HomeRelative("XDG_STATE_HOME", "/.local/state");
}

std::string ParseUserDirsEntry(const std::string& text, const std::string& key,
                               const std::string& home) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line.compare(first, key.size() + 2, key + "=\"") != 0)
            continue;
        std::string value;
        std::size_t i = first + key.size() + 2;
        for (; i < line.size() && line[i] != '"'; ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) ++i;
            value.push_back(line[i]);
        }
        if (i >= line.size()) return {};
        if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/'))
            value = home.empty() ? std::string() : home + value.substr(5);
        return value.empty() || value[0] != '/' ? std::string() : WithoutTrailingSlashes(value);
    }
    return {};
}

std::string DocumentsFolder() {
    const std::string home = HomeFolder();
    std::string text;
    if (ReadWholeFile(XdgConfigHome() + "/user-dirs.dirs", text, 1 << 16)) {
        const std::string documents = ParseUserDirsEntry(text, "XDG_DOCUMENTS_DIR", home);
        if (!documents.empty()) return documents == "/" ? documents : documents + "/";
    }
    if (home.empty()) return {};
    if (IsFolder(home + "/Documents")) return home + "/Documents/";
    return home == "/" ? home : home + "/";
}

} // namespace kv
