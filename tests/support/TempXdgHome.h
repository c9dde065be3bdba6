#pragma once
#include <string>
#include <utility>
#include <vector>

namespace kv::test {

// A throw-away home folder for one test: HOME, XDG_CONFIG_HOME and
// XDG_DATA_HOME point into a fresh temporary folder for the object's life,
// so nothing a test does touches the real home. The folder is removed and the
// variables restored afterwards.
class TempXdgHome {
  public:
    TempXdgHome();
    ~TempXdgHome();
    TempXdgHome(const TempXdgHome&) = delete;
    TempXdgHome& operator=(const TempXdgHome&) = delete;

    const std::string& home() const { return m_home; }
    std::string config() const { return m_home + "/config"; }
    std::string data() const { return m_home + "/data"; }

    // Sets an environment variable until the object ends.
    void setEnv(const char* name, const std::string& value);
    void unsetEnv(const char* name);

    static void writeFile(const std::string& path, const std::string& text);
    static std::string readFile(const std::string& path);
    // Every regular file below a folder, as paths relative to it, sorted.
    static std::vector<std::string> listFiles(const std::string& folder);

  private:
    void remember(const char* name);

    std::string m_home;
    std::vector<std::pair<std::string, std::pair<bool, std::string>>> m_saved;
};

} // namespace kv::test
