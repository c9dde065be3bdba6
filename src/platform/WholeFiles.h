#pragma once
#include <string>
#include <string_view>
#include <sys/types.h>

namespace kv {

// Reads a whole file; false when it cannot be opened or read, or is larger
// than limit bytes (then errno is EFBIG).
bool ReadWholeFile(const std::string& path, std::string& data, std::size_t limit);
// Creates a folder and its missing parents.
bool MakeFolders(const std::string& path, mode_t mode = 0755);
// Replaces path's contents through a ReplacingFile: symbolic links followed,
// anything but a regular file refused, a reader sees the old file or the new
// one. A new file gets mode less the umask; an old file's mode is kept. On
// failure error (when given) receives the message for the user.
bool WriteFileAtomically(const std::string& path, std::string_view data, mode_t mode = 0644,
                         std::string* error = nullptr);
// Follows the symbolic links path ends in, a chain of them included, to the
// name they finally lead to; a relative link is read against its own folder.
// That name need not exist: a dangling link leads to the file it would
// create. False when the links loop or run too long (errno ELOOP) or one
// cannot be read.
bool FollowSymbolicLinks(const std::string& path, std::string& real);
// Removes a file; a file that is already gone counts as removed.
bool RemoveFile(const std::string& path);
bool FileExists(const std::string& path);
// The local time as "YYYYMMDD-HHMMSS", for telling apart files kept aside.
std::string FileTimeStamp();

} // namespace kv
