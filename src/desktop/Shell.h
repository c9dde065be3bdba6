#pragma once
#include "desktop/ShellFileTypes.h"

#include <string>
#include <vector>

namespace kv {

// Registers the parts (kShellApplication, kShellFileTypes) for the executable:
// the class keys in the classes hive, and the desktop entry, MIME types,
// icons and thumbnailer entry under $XDG_DATA_HOME, then refreshes the
// desktop's caches. The desktop entry also offers to open `pictureTypes`
// (MIME types). True only when every step succeeded.
bool RegisterShell(unsigned parts, const std::string& executablePath,
                   const std::vector<std::string>& pictureTypes = {});
// Removes everything RegisterShell can install. True only when every step
// succeeded (a registration that is missing counts as a failed step).
bool UnregisterShell(const std::string& executablePath);

// The -r and -u switches: everything registered, or everything removed; the
// process exit code, 0 on full success and 1 otherwise.
int RegisterShellExitCode(const std::string& executablePath,
                          const std::vector<std::string>& pictureTypes = {});
int UnregisterShellExitCode(const std::string& executablePath);

// Start-up, after the settings are loaded: registers the file types when
// "Shell.RegisterFileTypesOnStartup" is on. Answers whether it registered
// successfully; start-up ignores the answer.
bool RegisterFileTypesIfWanted(const std::string& executablePath);

} // namespace kv
