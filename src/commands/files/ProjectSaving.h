#pragma once
// Writing the open project, and the question asked before it is replaced or
// closed.
#include <cstdint>
#include <string>

namespace kv {

class CommandHost;
class Project;

// What the save-changes question does when a project is about to go.
enum class SaveChangesMode : std::int32_t {
    Continue = 0, // ask nothing and go on
    Save = 1,     // save without asking if modified
    Discard = 2,  // discard without asking
    Ask = 3,      // ask if modified
};

inline constexpr const char* kProjectModifiedTitle = "The project is modified";

// Whether the caller may go on: false without a project, when the user
// cancelled or when saving failed (and for a mode outside the four).
bool AskToSaveChanges(CommandHost& host, SaveChangesMode mode);

// Save project: to its path with the wait cursor; without a path, Save as.
bool SaveOpenProject(CommandHost& host);
// Save project as: the save dialog, then the project takes the file's name
// and path.
bool SaveOpenProjectAs(CommandHost& host);

// Writes the project to the path with the user's writer settings; failures
// are reported. The project itself is left as it is.
bool WriteProjectTo(CommandHost& host, const Project& project, const std::string& path);

// The filters of the project dialogs.
inline constexpr const char* kProjectTypeName = "Korvane project";
inline constexpr const char* kProjectExtension = "kvp";

} // namespace kv
