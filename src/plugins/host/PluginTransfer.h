#pragma once
#include "kvx.h"
#include "plugins/host/FileTypeEntry.h"

#include <memory>
#include <string>
#include <vector>

namespace kv {

class PluginHost;
class Project;

struct ImportOptions {
    void* ownerWindow = nullptr;
    bool relaxedChecks = false; // for project files
};

// Reads a file of the given type into a new project: project files through
// the project reader, other types through the plug-in's KVXImport and the
// portable conversion. Null after the error box (the reader's message, the
// plug-in's message or code text, "Plugin malfunction" when it throws, or
// the conversion's message); the open project is never touched.
std::unique_ptr<Project> ImportFile(const FileTypeEntry& type, const std::string& path,
                                    const ImportOptions& options);

// Writes a document with the provider's KVXExport; the document stays the
// caller's. False after the error box, as for importing.
bool ExportDocument(const FileTypeEntry& type, const std::string& path,
                    const PortableDocument& document, void* ownerWindow);

// What the export dialog offers: the exportable types whose provider accepts
// the document, projects (the built-in provider) or single images (plug-ins).
enum class ExportSubject { Project, Image };
std::vector<const FileTypeEntry*>
ExportChoices(const PluginHost& host, const PortableDocument& document, ExportSubject subject);

} // namespace kv
