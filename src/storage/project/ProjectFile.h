#pragma once
#include "model/Project.h"
#include "storage/project/ProjectWriter.h"

#include <memory>
#include <string>

namespace kv {

// The outcome of reading or writing a project file; message is what the
// user sees when it failed.
struct ProjectFileResult {
    bool ok = false;
    std::string message;
};

// Reads a project; on failure the result holds the message and null is returned.
std::unique_ptr<Project> ReadProjectFile(const std::string& path, bool relaxed,
                                         ProjectFileResult& result);
// Writes through a ReplacingFile: a temporary file beside the real target
// (symbolic links followed) replaces it only once complete and flushed, and
// a target that is not a regular file is refused. On failure the target is
// untouched and the temporary file is gone.
ProjectFileResult WriteProjectFile(const std::string& path, const Project& project,
                                   const ProjectWriterOptions& options);

} // namespace kv
