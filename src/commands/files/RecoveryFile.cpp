#include "commands/files/RecoveryFile.h"

#include "commands/files/ProjectFiles.h"
#include "model/Project.h"
#include "platform/WholeFiles.h"
#include "platform/XdgFolders.h"
#include "storage/project/ProjectFile.h"

#include <exception>

namespace kv {
namespace {

std::string SafeName(const std::string& name) {
    std::string safe = name.empty() ? std::string("UNTITLED") : name;
    for (char& c : safe)
        if (c == '/' || static_cast<unsigned char>(c) < 0x20) c = '_';
    return safe;
}

std::string FreeRecoveryPath(const std::string& folder, const std::string& base) {
    std::string path = folder + base + ".kvp";
    for (int n = 2; FileExists(path); ++n)
        path = folder + base + "-" + std::to_string(n) + ".kvp";
    return path;
}

} // namespace

std::string RecoveryFolder() {
    return XdgStateHome() + "/korvane/recovery/";
}

RecoveryResult WriteRecoveryFile(const Project& project) {
    RecoveryResult result;
    try {
        const std::string folder = RecoveryFolder();
        if (!MakeFolders(folder, 0700)) {
            result.message = "Cannot create the folder " + folder;
            return result;
        }
        result.path = FreeRecoveryPath(folder, SafeName(project.name()) + "-" + FileTimeStamp());
        const ProjectFileResult written =
            WriteProjectFile(result.path, project, ProjectWriterOptionsFromSettings());
        result.written = written.ok;
        result.message = written.message;
    } catch (const std::exception& error) {
        result.message = error.what();
    } catch (...) {
        result.message = "Unidentified error";
    }
    return result;
}

std::string RescueOpenProject() {
    const Project* project = CurrentProject();
    if (!project || !project->hasUnsavedChanges()) return {};
    const RecoveryResult result = WriteRecoveryFile(*project);
    if (result.written) return "\n\nThe open project was saved to " + result.path;
    return "\n\nThe open project could not be saved: " + result.message;
}

} // namespace kv
