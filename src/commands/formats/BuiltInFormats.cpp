#include "commands/formats/BuiltInFormats.h"

#include "commands/files/ProjectFiles.h"
#include "commands/files/ProjectSaving.h"
#include "model/Project.h"
#include "storage/project/ProjectFile.h"
#include "storage/project/ProjectPreview.h"

namespace kv {

FileTypeInfo BuiltInFormats::projectType() {
    return {kProviderName, kProjectTypeId, kProjectTypeName, {kProjectExtension}};
}

FileFormat BuiltInFormats::identify(const std::string& path) {
    ProjectPreview preview;
    return ReadProjectPreview(path, false, preview) ? FileFormat::Project : FileFormat::Unknown;
}

std::vector<FileTypeInfo> BuiltInFormats::importTypes() {
    return {projectType()};
}

std::unique_ptr<Project> BuiltInFormats::importFile(const std::string& path, std::string& message) {
    ProjectFileResult result;
    std::unique_ptr<Project> project = ReadProjectFile(path, RelaxedChecksFromSettings(), result);
    if (!project) message = result.message;
    return project;
}

std::vector<FileTypeInfo> BuiltInFormats::exportTypes(const Project&, const Image* image) {
    // A project file holds projects; single images leave through plug-ins.
    if (image) return {};
    return {projectType()};
}

bool BuiltInFormats::exportProject(const std::string& path, const FileTypeInfo& type,
                                   const Project& project, std::string& message) {
    if (type != projectType()) {
        message = "Unsupported format";
        return false;
    }
    const ProjectFileResult result =
        WriteProjectFile(path, project, ProjectWriterOptionsFromSettings());
    message = result.message;
    return result.ok;
}

bool BuiltInFormats::exportImage(const std::string&, const FileTypeInfo&, const Image&,
                                 std::string& message) {
    message = "Unsupported format";
    return false;
}

} // namespace kv
