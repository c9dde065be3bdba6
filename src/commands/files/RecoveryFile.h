#pragma once
// When an error ends the program, the work of a modified open project is
// written to a recovery file first.
#include <string>

namespace kv {

class Project;

// $XDG_STATE_HOME/korvane/recovery/ (default ~/.local/state), ending in '/'.
std::string RecoveryFolder();

struct RecoveryResult {
    bool written = false;
    std::string path;
    // Why it could not be written.
    std::string message;
};

// Writes the project to a new file in the recovery folder, named after the
// project and the local time ("Icons-20240131-142502.kvp"); an existing file
// is never replaced. Never throws.
RecoveryResult WriteRecoveryFile(const Project& project);

// What the box that ends the program adds about the open project: where it
// was saved, or why it could not be; empty without a modified project.
std::string RescueOpenProject();

} // namespace kv
