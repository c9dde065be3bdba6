#include "commands/files/ImportExportCommands.h"

#include "commands/files/ProjectOpening.h"
#include "commands/files/ProjectSaving.h"
#include "commands/formats/FormatCalls.h"
#include "commands/formats/FormatLibrary.h"
#include "commands/host/CommandHost.h"
#include "commands/host/CommandSupport.h"
#include "model/Image.h"
#include "model/Project.h"
#include "settings/Settings.h"

#include <strings.h>

namespace kv {
namespace {

constexpr const char* kProjectImportTitle = "Project import";
constexpr const char* kProjectExportTitle = "Project export";
constexpr const char* kImageImportTitle = "Image import";
constexpr const char* kImageExportTitle = "Image export";
constexpr const char* kNoExportType = "There is no file type to export to";
constexpr const char* kNoImage = "The file holds no image";

std::vector<FileFilter> TypeFilters(const std::vector<FileTypeInfo>& types) {
    std::vector<FileFilter> filters;
    for (const FileTypeInfo& type : types)
        filters.push_back(FilterFor(type.name, type.extensions));
    return filters;
}

// The remembered export type when it is on offer, else the first.
std::size_t RememberedType(const std::vector<FileTypeInfo>& types) {
    if (!HaveSettings()) return 0;
    const std::uint32_t id = Settings().unsignedValue("Export.Format.ID");
    const std::string& provider = Settings().textValue("Export.Format.Plugin");
    for (std::size_t i = 0; i < types.size(); ++i)
        if (types[i].id == id && types[i].provider == provider) return i;
    return 0;
}

std::string ExtensionOf(const std::string& path) {
    const std::string name = path.substr(path.rfind('/') + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

// The selected type; with "ALL FILES" selected, the type whose extension
// the file name carries.
const FileTypeInfo* ChosenType(const std::vector<FileTypeInfo>& types, const FileChoice& choice) {
    if (choice.filter < types.size()) return &types[choice.filter];
    const std::string extension = ExtensionOf(choice.path);
    for (const FileTypeInfo& type : types)
        for (const std::string& candidate : type.extensions)
            if (!extension.empty() && ::strcasecmp(candidate.c_str(), extension.c_str()) == 0)
                return &type;
    return nullptr;
}

void RememberExport(const std::string& path, const FileTypeInfo& type) {
    SetTextSetting("Export.Path", FolderOfPath(path));
    SetTextSetting("Export.Format.Plugin", type.provider);
    if (HaveSettings()) Settings().unsignedSetting("Export.Format.ID").setValue(type.id);
}

std::string FirstExtension(const FileTypeInfo& type) {
    return type.extensions.empty() ? std::string() : type.extensions.front();
}

} // namespace

bool ImportExportCommands::canExportProject() const {
    const Project* project = OpenProject();
    return project && project->imageCount() > 0;
}

bool ImportExportCommands::canImportImage() const {
    return OpenProject() != nullptr;
}

bool ImportExportCommands::canExportImage() const {
    return CurrentImage() != nullptr;
}

std::optional<std::string> ImportExportCommands::chooseImportFile(const char* title) {
    std::vector<FileTypeInfo> types;
    if (!RunProviderCall(m_host, [&] {
            types = m_formats.importTypes();
            return true;
        }))
        return std::nullopt;
    FileDialogRequest request;
    request.title = title;
    request.folder = TextSettingValue("Import.Path");
    request.filters = ImportFilters(TypeFilters(types));
    request.preview = true;
    const std::optional<FileChoice> choice = m_host.chooseFile(request);
    if (!choice) return std::nullopt;
    SetTextSetting("Import.Path", FolderOfPath(choice->path));
    return choice->path;
}

bool ImportExportCommands::importProject() {
    if (OpenProject() && !AskToSaveChanges(m_host, SaveChangesMode::Ask)) return false;
    const std::optional<std::string> path = chooseImportFile(kProjectImportTitle);
    return path && ImportFileAsProject(m_host, m_formats, *path);
}

bool ImportExportCommands::importImage() {
    Project* project = OpenProject();
    if (!project) return false;
    const std::optional<std::string> path = chooseImportFile(kImageImportTitle);
    if (!path) return false;
    std::unique_ptr<Project> imported;
    {
        WaitCursor wait(m_host);
        imported = ImportThroughLibrary(m_host, m_formats, *path);
    }
    if (!imported) return false;
    Image* chosen = imported->currentImage() ? imported->currentImage() : imported->firstImage();
    if (imported->imageCount() > 1) {
        DialogValues dialog = SelectImageValues{imported.get(), chosen->position()};
        if (!m_host.runDialog(dialog)) return false;
        chosen = imported->imageAt(std::get<SelectImageValues>(dialog).chosen);
    }
    if (!chosen) {
        if (imported->imageCount() == 0) m_host.reportError(kNoImage);
        return false;
    }
    std::unique_ptr<Image> image = imported->removeImage(chosen);
    image->setId(0); // the open project gives it an id of its own
    project->setCurrentImage(project->addImage(std::move(image)));
    CommitCurrentSnapshots();
    m_host.refresh(RefreshScope::Everything);
    return true;
}

bool ImportExportCommands::exportProject() {
    return canExportProject() && exportTo(kProjectExportTitle, nullptr);
}

bool ImportExportCommands::exportImage() {
    const Image* image = CurrentImage();
    return image && exportTo(kImageExportTitle, image);
}

bool ImportExportCommands::exportTo(const char* title, const Image* image) {
    const Project& project = *OpenProject();
    std::vector<FileTypeInfo> types;
    if (!RunProviderCall(m_host, [&] {
            types = m_formats.exportTypes(project, image);
            return true;
        }))
        return false;
    if (types.empty()) {
        m_host.reportError(kNoExportType);
        return false;
    }
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.title = title;
    request.folder = TextSettingValue("Export.Path");
    request.fileName = project.name();
    request.filters = FiltersWithAllFiles(TypeFilters(types));
    request.selectedFilter = RememberedType(types);
    request.defaultExtension = FirstExtension(types[request.selectedFilter]);
    const std::optional<FileChoice> choice = m_host.chooseFile(request);
    if (!choice) return false;
    const FileTypeInfo* type = ChosenType(types, *choice);
    if (!type) {
        m_host.reportError("Unknown file type");
        return false;
    }
    const std::string path = WithDefaultExtension(choice->path, FirstExtension(*type));
    RememberExport(path, *type);
    WaitCursor wait(m_host);
    bool written = false;
    std::string message;
    const bool answered = RunProviderCall(m_host, [&] {
        written = image ? m_formats.exportImage(path, *type, *image, message)
                        : m_formats.exportProject(path, *type, project, message);
        return true;
    });
    if (answered && !written && !message.empty()) m_host.reportError(message);
    return written;
}

} // namespace kv
