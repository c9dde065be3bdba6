#include "commands/formats/PluginFormats.h"

#include "commands/files/ProjectFiles.h"
#include "model/Project.h"
#include "plugins/host/FileTypeChooser.h"
#include "plugins/host/FormatProvider.h"
#include "plugins/host/PluginHost.h"
#include "plugins/host/PluginTransfer.h"
#include "plugins/portable/PortableExport.h"
#include "storage/project/ProjectFile.h"

namespace kv {
namespace {

FileTypeInfo InfoOf(const FileTypeEntry& entry) {
    return {entry.provider->name(), entry.id, entry.name, entry.extensions};
}

std::vector<FileTypeInfo> InfosOf(const std::vector<const FileTypeEntry*>& entries) {
    std::vector<FileTypeInfo> infos;
    for (const FileTypeEntry* entry : entries)
        infos.push_back(InfoOf(*entry));
    return infos;
}

} // namespace

FileFormat PluginFormats::identify(const std::string& path) {
    const FileTypeChoice choice = ChooseFileType(m_host, path, false, 0);
    if (!choice.entry) return FileFormat::Unknown;
    return choice.entry->provider->isBuiltin() ? FileFormat::Project : FileFormat::Importable;
}

std::vector<FileTypeInfo> PluginFormats::importTypes() {
    std::vector<FileTypeInfo> infos;
    for (const FileTypeEntry& entry : m_host.importableTypes())
        infos.push_back(InfoOf(entry));
    return infos;
}

std::unique_ptr<Project> PluginFormats::importFile(const std::string& path, std::string& message) {
    const FileTypeChoice choice = ChooseFileType(m_host, path, false, 0);
    if (!choice.entry) {
        message = kUnknownFileType;
        return nullptr;
    }
    return ImportFile(*choice.entry, path, {nullptr, RelaxedChecksFromSettings()});
}

std::vector<FileTypeInfo> PluginFormats::exportTypes(const Project& project, const Image* image) {
    const PortableDocumentPtr document =
        image ? BuildImageDocument(*image) : BuildProjectDocument(project);
    if (!document) return {};
    return InfosOf(
        ExportChoices(m_host, *document, image ? ExportSubject::Image : ExportSubject::Project));
}

const FileTypeEntry* PluginFormats::findExportable(const FileTypeInfo& type) const {
    for (const FileTypeEntry& entry : m_host.exportableTypes())
        if (entry.id == type.id && entry.provider->name() == type.provider) return &entry;
    return nullptr;
}

bool PluginFormats::exportProject(const std::string& path, const FileTypeInfo& type,
                                  const Project& project, std::string& message) {
    const FileTypeEntry* entry = findExportable(type);
    if (!entry) {
        message = "Unsupported format";
        return false;
    }
    if (entry->provider->isBuiltin()) {
        // The project writer keeps every detail the portable form cannot.
        const ProjectFileResult result =
            WriteProjectFile(path, project, ProjectWriterOptionsFromSettings());
        message = result.message;
        return result.ok;
    }
    const PortableDocumentPtr document = BuildProjectDocument(project);
    return document && ExportDocument(*entry, path, *document, nullptr);
}

bool PluginFormats::exportImage(const std::string& path, const FileTypeInfo& type,
                                const Image& image, std::string& message) {
    const FileTypeEntry* entry = findExportable(type);
    if (!entry || entry->provider->isBuiltin()) {
        message = "Unsupported format";
        return false;
    }
    const PortableDocumentPtr document = BuildImageDocument(image);
    return document && ExportDocument(*entry, path, *document, nullptr);
}

} // namespace kv
