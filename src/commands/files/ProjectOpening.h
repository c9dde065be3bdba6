#pragma once
// Making a file the open project: opened as a project file, or imported
// through the format library. Used by Open project, Import project, the
// command line and dropped files.
#include <memory>
#include <string>

namespace kv {

class CommandHost;
class FormatLibrary;
class Project;

// Closes the open project (the callers have already asked), identifies the
// file and opens it. A file that is not a project is imported when
// `importFallback` is on and refused otherwise.
bool OpenFileAsProject(CommandHost& host, FormatLibrary& formats, const std::string& path,
                       bool importFallback);

// Reads the file through the format library into a new project, which then
// replaces the open one (the callers have already asked).
bool ImportFileAsProject(CommandHost& host, FormatLibrary& formats, const std::string& path);

// The file named on the command line: opened with the import fallback, or
// imported (-i).
bool OpenStartupFile(CommandHost& host, FormatLibrary& formats, const std::string& path,
                     bool import);

// The project becomes the open one, showing its current image (the first
// when none is current); the snapshots follow and the interface refreshes.
void InstallProject(CommandHost& host, std::unique_ptr<Project> project);
// No project is open any more.
void DiscardOpenProject(CommandHost& host);

} // namespace kv
