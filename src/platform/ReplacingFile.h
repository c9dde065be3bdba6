#pragma once
#include <string>
#include <string_view>
#include <sys/types.h>

namespace kv {

// Replaces a file the safe way: the new contents go to a temporary file beside
// the real target, which is flushed to the disk and renamed over the target
// only when complete, so a reader sees the old file or the new one, never a
// mix. Symbolic links are followed, so a link stays a link and the file it
// leads to gets the contents. Until commit() succeeds the target is untouched,
// and the temporary file goes away with the object whatever happened.
// Failures throw CKVException carrying the message the user sees.
class ReplacingFile {
  public:
    // Refuses a target that exists and is not a regular file before anything
    // is created. A new file gets newFileMode less the umask; a replaced one
    // keeps the old file's permissions (and owner, where we may set it).
    explicit ReplacingFile(const std::string& path, mode_t newFileMode = 0666);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // The file that will be replaced, its symbolic links resolved.
    const std::string& targetPath() const { return m_target; }
    // Where the new contents go: ".<target name>.save-XXXXXX" in the target's
    // folder. Writers that open files by name may write here until commit().
    const std::string& temporaryPath() const { return m_temporary; }

    void write(std::string_view data);
    // Flushes the temporary file, gives it the target's permissions and
    // renames it over the target.
    void commit();

  private:
    void inspectTarget();
    void createTemporary(mode_t mode);
    void keepOldPermissions();
    void syncFolder() const;

    std::string m_path; // as the caller named it, for messages
    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    bool m_committed = false;
    bool m_targetExists = false;
    mode_t m_oldMode = 0;
    uid_t m_oldOwner = 0;
    gid_t m_oldGroup = 0;
};

} // namespace kv
