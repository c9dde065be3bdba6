#include "commands/formats/HeadlessFormats.h"

#include "plugins/host/FileTypeEntry.h"
#include "plugins/host/FormatProvider.h"
#include "plugins/host/PluginHost.h"

#include <algorithm>

namespace kv {
namespace {

const FileTypeEntry* ByExtension(const std::vector<FileTypeEntry>& types,
                                 const std::string& extension) {
    if (extension.empty()) return nullptr;
    for (const FileTypeEntry& type : types)
        if (type.hasExtension(extension)) return &type;
    return nullptr;
}

} // namespace

const FileTypeEntry* ImportableByExtension(const PluginHost& host, const std::string& extension) {
    return ByExtension(host.importableTypes(), extension);
}

const FileTypeEntry* ExportableByExtension(const PluginHost& host, const std::string& extension) {
    return ByExtension(host.exportableTypes(), extension);
}

std::string ExtensionList(const std::vector<FileTypeEntry>& types) {
    std::vector<std::string> seen;
    std::string list;
    for (const FileTypeEntry& type : types)
        for (const std::string& extension : type.extensions) {
            if (std::find(seen.begin(), seen.end(), extension) != seen.end()) continue;
            seen.push_back(extension);
            list += (list.empty() ? "." : ", .") + extension;
        }
    return list;
}

std::vector<std::string> PluginReadableExtensions(const PluginHost& host) {
    std::vector<std::string> extensions;
    for (const FileTypeEntry& type : host.importableTypes()) {
        if (type.provider->isBuiltin()) continue;
        for (const std::string& extension : type.extensions)
            if (std::none_of(extensions.begin(), extensions.end(),
                             [&](const std::string& e) { return EqualIgnoringCase(e, extension); }))
                extensions.push_back(extension);
    }
    return extensions;
}

bool TypeAcceptsDocument(const FileTypeEntry& type, const PortableDocument& document) {
    const KVXCanExportProc canExport = type.provider->functions().canExport;
    if (!canExport) return false;
    try {
        return canExport(type.id, &document, nullptr) != 0;
    } catch (...) {
        return false;
    }
}

CollectedErrors::CollectedErrors() : m_previous(InstallErrorReporter(this)) {}

CollectedErrors::~CollectedErrors() {
    InstallErrorReporter(m_previous);
}

void CollectedErrors::critical(const std::string& text) {
    m_messages.push_back(text);
}

MessageResult CollectedErrors::messageBox(MessageButtons, MessageIcon, const std::string&,
                                          const std::string& text, MessageResult defaultResult) {
    m_messages.push_back(text);
    return defaultResult;
}

std::string CollectedErrors::text(const std::string& fallback) const {
    if (m_messages.empty()) return fallback;
    std::string joined;
    for (const std::string& message : m_messages)
        joined += (joined.empty() ? "" : "; ") + message;
    return joined;
}

} // namespace kv
