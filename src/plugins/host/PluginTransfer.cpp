#include "plugins/host/PluginTransfer.h"

#include "model/Project.h"
#include "platform/ErrorReporter.h"
#include "platform/Exceptions.h"
#include "plugins/host/FormatProvider.h"
#include "plugins/host/PluginErrors.h"
#include "plugins/host/PluginHost.h"
#include "plugins/portable/PortableBlocks.h"
#include "plugins/portable/PortableError.h"
#include "plugins/portable/PortableImport.h"
#include "storage/project/ProjectFile.h"

namespace kv {
namespace {

void ReportIfAny(const std::string& message) {
    if (!message.empty()) ReportError(message);
}

std::unique_ptr<Project> ImportProject(const std::string& path, bool relaxed) {
    ProjectFileResult result;
    std::unique_ptr<Project> project = ReadProjectFile(path, relaxed, result);
    if (!project) ReportIfAny(result.message);
    return project;
}

// The document a plug-in read, or null after reporting why there is none.
PortableDocumentPtr CallImport(const FormatProvider& provider, const std::string& path,
                               void* ownerWindow) {
    const KVXImportProc importFile = provider.functions().importFile;
    if (!importFile) {
        ReportError(PluginErrorText(KVX_ERROR_UNSUPPORTED_FORMAT));
        return nullptr;
    }
    PortableDocument* document = nullptr;
    try {
        document = importFile(ownerWindow, path.c_str(), 0);
    } catch (...) {
        ReportError(kPluginMalfunction);
        return nullptr;
    }
    if (!document) ReportIfAny(PluginFailureMessage(provider));
    return PortableDocumentPtr(document);
}

std::unique_ptr<Project> ConvertDocument(const PortableDocument* document) {
    try {
        return DocumentToProject(document);
    } catch (const PortableError& e) {
        ReportIfAny(PluginErrorText(e.code()));
    } catch (const CKVException& e) {
        ReportIfAny(e.message());
    } catch (...) {
        ReportError(PluginErrorText(KVX_ERROR_OUT_OF_MEMORY));
    }
    return nullptr;
}

bool AcceptsKind(const FormatProvider& provider, ExportSubject subject) {
    return provider.isBuiltin() == (subject == ExportSubject::Project);
}

} // namespace

std::unique_ptr<Project> ImportFile(const FileTypeEntry& type, const std::string& path,
                                    const ImportOptions& options) {
    const FormatProvider& provider = *type.provider;
    if (provider.isBuiltin()) return ImportProject(path, options.relaxedChecks);
    PortableDocumentPtr document = CallImport(provider, path, options.ownerWindow);
    if (!document) return nullptr;
    return ConvertDocument(document.get());
}

bool ExportDocument(const FileTypeEntry& type, const std::string& path,
                    const PortableDocument& document, void* ownerWindow) {
    const FormatProvider& provider = *type.provider;
    const KVXExportProc exportFile = provider.functions().exportFile;
    if (!exportFile) {
        ReportError(PluginErrorText(KVX_ERROR_UNSUPPORTED_FORMAT));
        return false;
    }
    std::int32_t written = 0;
    try {
        written = exportFile(ownerWindow, path.c_str(), type.id, &document);
    } catch (...) {
        ReportError(kPluginMalfunction);
        return false;
    }
    if (!written) ReportIfAny(PluginFailureMessage(provider));
    return written != 0;
}

std::vector<const FileTypeEntry*>
ExportChoices(const PluginHost& host, const PortableDocument& document, ExportSubject subject) {
    std::vector<const FileTypeEntry*> choices;
    for (const FileTypeEntry& entry : host.exportableTypes()) {
        const KVXCanExportProc canExport = entry.provider->functions().canExport;
        if (!canExport || !AcceptsKind(*entry.provider, subject)) continue;
        try {
            if (canExport(entry.id, &document, nullptr)) choices.push_back(&entry);
        } catch (...) {
            // A provider that throws offers nothing.
        }
    }
    return choices;
}

} // namespace kv
