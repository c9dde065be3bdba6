#include "commands/files/ProjectFiles.h"

#include "platform/ErrorReporter.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "storage/project/ProjectFile.h"

namespace kv {

ProjectWriterOptions ProjectWriterOptionsFromSettings() {
    ProjectWriterOptions options;
    if (!HaveSettings()) return options;
    const SettingsStore& s = Settings();
    // The store keeps the setting within 0-2; a hand-edited hive that it
    // could not read leaves the default.
    options.compression = CompressionLevelFromNumber(s.signedValue("Project.File.Compression"))
                              .value_or(options.compression);
    options.embedThumbnails = s.boolValue("Project.File.EmbedThumbnails");
    options.maxThumbnailSize = s.signedValue("Project.File.MaxThumbnailSize");
    options.maxThumbnailSizeEx = s.signedValue("Project.File.MaxThumbnailSizeEx");
    return options;
}

bool RelaxedChecksFromSettings() {
    return HaveSettings() && Settings().boolValue("Project.File.RelaxedChecks");
}

std::unique_ptr<Project> LoadProject(const std::string& path) {
    ProjectFileResult result;
    std::unique_ptr<Project> project = ReadProjectFile(path, RelaxedChecksFromSettings(), result);
    if (!project) ReportError(result.message);
    return project;
}

bool SaveProject(const std::string& path, const Project& project) {
    const ProjectFileResult result =
        WriteProjectFile(path, project, ProjectWriterOptionsFromSettings());
    if (!result.ok) ReportError(result.message);
    return result.ok;
}

} // namespace kv
