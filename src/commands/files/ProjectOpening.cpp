#include "commands/files/ProjectOpening.h"

#include "commands/files/ProjectFiles.h"
#include "commands/formats/FormatCalls.h"
#include "commands/formats/FormatLibrary.h"
#include "commands/host/CommandHost.h"
#include "commands/host/CommandSupport.h"
#include "commands/host/FileDialogs.h"
#include "model/Project.h"
#include "storage/project/ProjectFile.h"

#include <new>
#include <unistd.h>

namespace kv {
namespace {

// Nothing else can tell a missing file from one nobody recognises, and
// "Unknown file type" would send the user looking in the wrong place.
bool ReportUnreadable(CommandHost& host, const std::string& path) {
    if (::access(path.c_str(), R_OK) == 0) return false;
    host.reportError(path + ": Cannot open the file");
    return true;
}

bool ReadProjectAndInstall(CommandHost& host, const std::string& path) {
    ProjectFileResult result;
    std::unique_ptr<Project> project;
    try {
        project = ReadProjectFile(path, RelaxedChecksFromSettings(), result);
    } catch (const std::bad_alloc&) {
        result.message = "Cannot read project: insufficient memory";
    }
    if (!project) {
        CommitCurrentSnapshots();
        host.reportError(result.message);
        return false;
    }
    project->setName(FileStem(path));
    project->setPath(path);
    project->setCurrentImage(project->firstImage());
    project->markSaved();
    InstallProject(host, std::move(project));
    return true;
}

} // namespace

void InstallProject(CommandHost& host, std::unique_ptr<Project> project) {
    if (project && !project->currentImage()) project->setCurrentImage(project->firstImage());
    SetCurrentProject(std::move(project));
    CommitCurrentSnapshots();
    host.refresh(RefreshScope::Everything);
}

void DiscardOpenProject(CommandHost& host) {
    InstallProject(host, nullptr);
}

bool OpenFileAsProject(CommandHost& host, FormatLibrary& formats, const std::string& path,
                       bool importFallback) {
    if (ReportUnreadable(host, path)) return false;
    if (OpenProject()) DiscardOpenProject(host);
    WaitCursor wait(host);
    FileFormat format = FileFormat::Unknown;
    if (!RunProviderCall(host, [&] {
            format = formats.identify(path);
            return true;
        }))
        return false;
    switch (format) {
    case FileFormat::Project:
        return ReadProjectAndInstall(host, path);
    case FileFormat::Importable:
        if (importFallback) return ImportFileAsProject(host, formats, path);
        host.reportError(path +
                         " is not a valid Korvane project file.\nUse 'Import' instead of 'Open'");
        return false;
    case FileFormat::Unknown:
        break;
    }
    host.reportError(importFallback ? std::string("Unknown file type")
                                    : path + " is not a valid Korvane project file");
    return false;
}

bool ImportFileAsProject(CommandHost& host, FormatLibrary& formats, const std::string& path) {
    if (ReportUnreadable(host, path)) return false;
    WaitCursor wait(host);
    std::unique_ptr<Project> project = ImportThroughLibrary(host, formats, path);
    if (!project) return false;
    project->setName(FileStem(path));
    project->setPath({});
    // Nothing to save yet: the file it came from is still there.
    project->markSaved();
    InstallProject(host, std::move(project));
    return true;
}

bool OpenStartupFile(CommandHost& host, FormatLibrary& formats, const std::string& path,
                     bool import) {
    return import ? ImportFileAsProject(host, formats, path)
                  : OpenFileAsProject(host, formats, path, true);
}

} // namespace kv
