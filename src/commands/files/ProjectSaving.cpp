#include "commands/files/ProjectSaving.h"

#include "commands/files/ProjectFiles.h"
#include "commands/host/CommandHost.h"
#include "commands/host/CommandSupport.h"
#include "model/Project.h"
#include "storage/project/ProjectFile.h"

#include <new>

namespace kv {
namespace {

bool AskAndSave(CommandHost& host, const Project& project) {
    const MessageResult answer =
        host.ask(MessageButtons::YesNoCancel, MessageIcon::Warning, kProjectModifiedTitle,
                 "Save the changes you made to " + project.name() + "?", MessageResult::Yes);
    if (answer == MessageResult::Yes) return SaveOpenProject(host);
    return answer == MessageResult::No;
}

} // namespace

bool AskToSaveChanges(CommandHost& host, SaveChangesMode mode) {
    const Project* project = OpenProject();
    if (!project) return false;
    switch (mode) {
    case SaveChangesMode::Continue:
    case SaveChangesMode::Discard:
        return true;
    case SaveChangesMode::Save:
        return !project->hasUnsavedChanges() || SaveOpenProject(host);
    case SaveChangesMode::Ask:
        return !project->hasUnsavedChanges() || AskAndSave(host, *project);
    }
    return false;
}

bool WriteProjectTo(CommandHost& host, const Project& project, const std::string& path) {
    ProjectFileResult result;
    try {
        result = WriteProjectFile(path, project, ProjectWriterOptionsFromSettings());
    } catch (const std::bad_alloc&) {
        result.message = "Cannot write project: insufficient memory";
    }
    if (!result.ok) host.reportError(result.message);
    return result.ok;
}

bool SaveOpenProject(CommandHost& host) {
    Project* project = OpenProject();
    if (!project) return false;
    if (project->path().empty()) return SaveOpenProjectAs(host);
    bool written = false;
    {
        WaitCursor wait(host);
        written = WriteProjectTo(host, *project, project->path());
    }
    if (!written) return false;
    project->markSaved();
    host.refresh(RefreshScope::Everything);
    return true;
}

bool SaveOpenProjectAs(CommandHost& host) {
    Project* project = OpenProject();
    if (!project) return false;
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.title = "Save project as";
    request.folder = TextSettingValue("Project.File.Path");
    request.fileName = project->name();
    request.filters = FiltersWithAllFiles({FilterFor(kProjectTypeName, {kProjectExtension})});
    request.defaultExtension = kProjectExtension;
    const std::optional<FileChoice> choice = host.chooseFile(request);
    if (!choice) return false;
    const std::string path = WithDefaultExtension(choice->path, kProjectExtension);
    SetTextSetting("Project.File.Path", FolderOfPath(path));
    bool written = false;
    {
        WaitCursor wait(host);
        written = WriteProjectTo(host, *project, path);
    }
    if (!written) return false;
    project->setName(FileStem(path));
    project->setPath(path);
    project->markSaved();
    host.refresh(RefreshScope::Everything);
    return true;
}

} // namespace kv
