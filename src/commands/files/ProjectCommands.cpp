#include "commands/files/ProjectCommands.h"

#include "commands/files/ProjectOpening.h"
#include "commands/host/CommandHost.h"
#include "commands/host/CommandSupport.h"
#include "commands/image/ImageFactory.h"
#include "model/Image.h"
#include "model/Project.h"
#include "platform/Exceptions.h"

#include <new>

namespace kv {
namespace {

std::unique_ptr<Project> CreateProject() {
    try {
        return std::make_unique<Project>();
    } catch (const std::bad_alloc&) {
        throw CKVException("Project creation failed");
    }
}

} // namespace

bool ProjectCommands::canSave() const {
    return OpenProject() != nullptr;
}

bool ProjectCommands::newProject() {
    if (OpenProject() && !AskToSaveChanges(m_host, SaveChangesMode::Ask)) return false;
    DialogValues dialog = NewImageDefaults(true);
    if (!m_host.runDialog(dialog)) return false;
    const auto& values = std::get<NewImageValues>(dialog);
    RememberNewImageValues(values);
    std::unique_ptr<Project> project;
    if (!RunReported(m_host, [&] {
            project = CreateProject();
            project->setCurrentImage(project->addImage(CreateNewImage(values)));
            return true;
        }))
        return false;
    // Nothing in it is worth a question yet.
    project->markSaved();
    InstallProject(m_host, std::move(project));
    return true;
}

bool ProjectCommands::open() {
    if (OpenProject() && !AskToSaveChanges(m_host, SaveChangesMode::Ask)) return false;
    FileDialogRequest request;
    request.title = "Open project";
    request.folder = TextSettingValue("Project.File.Path");
    request.filters = FiltersWithAllFiles({FilterFor(kProjectTypeName, {kProjectExtension})});
    request.preview = true;
    const std::optional<FileChoice> choice = m_host.chooseFile(request);
    if (!choice) return false;
    SetTextSetting("Project.File.Path", FolderOfPath(choice->path));
    return OpenFileAsProject(m_host, m_formats, choice->path, false);
}

bool ProjectCommands::save() {
    return SaveOpenProject(m_host);
}

bool ProjectCommands::saveAs() {
    return SaveOpenProjectAs(m_host);
}

bool ProjectCommands::close(SaveChangesMode mode) {
    if (!AskToSaveChanges(m_host, mode)) return false;
    DiscardOpenProject(m_host);
    return true;
}

} // namespace kv
