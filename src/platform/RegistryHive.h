#pragma once
#include "platform/RegistryKey.h"

#include <string>

namespace kv {

// The two roots the program uses: HKEY_CURRENT_USER for settings,
// HKEY_CLASSES_ROOT for file types.
enum class HiveId { CurrentUser, ClassesRoot };

// One session on a hive file ($XDG_CONFIG_HOME/korvane/user.reg or
// classes.reg). The constructor takes an exclusive lock shared with other
// instances and reads the file; save() writes the whole tree back atomically.
// Holding the lock from read to write means two instances saving at once each
// see the other's values, and the file is never torn. Keep sessions short; a
// nested session on the same hive in the same thread shares the lock, and the
// one saved last wins.
class RegistryHive {
  public:
    explicit RegistryHive(HiveId id);
    // For tests and tools: a hive at an explicit file path.
    RegistryHive(HiveId id, std::string filePath);
    ~RegistryHive();
    RegistryHive(const RegistryHive&) = delete;
    RegistryHive& operator=(const RegistryHive&) = delete;

    RegistryKey& root() { return m_root; }
    const std::string& path() const { return m_path; }
    // Where an unparsable file was moved; empty when none was.
    const std::string& corruptCopy() const { return m_corruptCopy; }

    // False when the folder or the file cannot be written, or when the file
    // existed but could not be read (writing would lose what it holds).
    bool save();

    static std::string filePath(HiveId id);
    static const char* rootName(HiveId id);

    // Files larger than this count as damaged.
    static constexpr std::size_t kMaxFileSize = 16u << 20;

  private:
    void lock();
    void read();

    HiveId m_id;
    std::string m_path;
    std::string m_corruptCopy;
    RegistryKey m_root;
    int m_lockFd = -1;
    bool m_counted = false;
    bool m_readable = true;
};

} // namespace kv
