#include "support/TempXdgHome.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kv::test {

namespace fs = std::filesystem;

TempXdgHome::TempXdgHome() {
    std::string pattern = (fs::temp_directory_path() / "korvane-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    m_home = pattern;
    setEnv("HOME", m_home);
    setEnv("XDG_CONFIG_HOME", config());
    setEnv("XDG_DATA_HOME", data());
}

TempXdgHome::~TempXdgHome() {
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
        if (it->second.first)
            ::setenv(it->first.c_str(), it->second.second.c_str(), 1);
        else
            ::unsetenv(it->first.c_str());
    }
    std::error_code ignored;
    fs::permissions(m_home, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_home, ignored);
}

void TempXdgHome::remember(const char* name) {
    const char* old = std::getenv(name);
    m_saved.push_back({name, {old != nullptr, old ? old : ""}});
}

void TempXdgHome::setEnv(const char* name, const std::string& value) {
    remember(name);
    ::setenv(name, value.c_str(), 1);
}

void TempXdgHome::unsetEnv(const char* name) {
    remember(name);
    ::unsetenv(name);
}

void TempXdgHome::writeFile(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string TempXdgHome::readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> TempXdgHome::listFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file()) files.push_back(fs::relative(it->path(), folder).string());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace kv::test
