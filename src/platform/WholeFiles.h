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
// Writes through a temporary file in the same folder, flushed to disk and then
// renamed over path, so a reader sees the old file or the new one, never a mix.
bool WriteFileAtomically(const std::string& path, std::string_view data, mode_t mode = 0644);
// Removes a file; a file that is already gone counts as removed.
bool RemoveFile(const std::string& path);
bool FileExists(const std::string& path);

} // namespace kv
