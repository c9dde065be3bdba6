#pragma once
#include <string>

namespace kv {

// The user's home folder ($HOME, else the password database), without a
// trailing '/'; empty when neither gives one.
std::string HomeFolder();
// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
std::string XdgConfigHome();
// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
std::string XdgDataHome();
// $XDG_STATE_HOME when it is an absolute path, else ~/.local/state.
std::string XdgStateHome();
// The folder the user keeps documents in, ending in '/': XDG_DOCUMENTS_DIR of
// user-dirs.dirs, else ~/Documents when it exists, else the home folder.
// Empty when there is no home folder at all.
std::string DocumentsFolder();

// Reads the value of one entry of a user-dirs.dirs text ("$HOME/..." or an
// absolute path in double quotes); empty when absent or unusable.
std::string ParseUserDirsEntry(const std::string& text, const std::string& key,
                               const std::string& home);

} // namespace kv
