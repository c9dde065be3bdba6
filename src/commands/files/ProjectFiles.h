#pragma once
// The program's own load and save: the user's settings applied to the
// project file reader and writer, failures shown in the error box.
#include "model/Project.h"
#include "storage/project/ProjectWriter.h"

#include <memory>
#include <string>

namespace kv {

// The writer options and relaxed flag from the settings store (defaults
// when there is none).
ProjectWriterOptions ProjectWriterOptionsFromSettings();
bool RelaxedChecksFromSettings();

// The program's load and save: settings applied, failures shown in the error box.
std::unique_ptr<Project> LoadProject(const std::string& path);
bool SaveProject(const std::string& path, const Project& project);

} // namespace kv
