#pragma once
#include "plugins/host/FileTypeEntry.h"
#include "plugins/host/FormatProvider.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// The folders plug-ins are loaded from: "Plugins/" beside the executable,
// then the installed program's "../lib/korvane/plugins/".
std::vector<std::string> PluginFolders(const std::string& executableFolder);

// Every format provider with the file types they offer, from start-up to
// exit. The built-in provider is always there; plug-ins join by loading.
class PluginHost {
  public:
    PluginHost();
    ~PluginHost();
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Start-up: loads the plug-ins of every folder and builds the lists.
    void start(const std::string& executableFolder);
    // Loads every "*.kvplugin" file of a folder, in name order; files that
    // cannot be loaded are skipped silently. Answers how many joined.
    int loadFolder(const std::string& folder);
    // Sorts the providers by name and builds both type lists, sorted by type
    // name (case-insensitively, keeping the order of equal names).
    void buildTypeLists();

    const std::vector<std::unique_ptr<FormatProvider>>& providers() const { return m_providers; }
    const std::vector<FileTypeEntry>& importableTypes() const { return m_importable; }
    const std::vector<FileTypeEntry>& exportableTypes() const { return m_exportable; }
    // The importable entry of that provider and id, or null.
    const FileTypeEntry* findImportable(const FormatProvider& provider, std::uint32_t id) const;
    // The first provider of that name, or null (the remembered export plug-in).
    const FormatProvider* findProvider(std::string_view name) const;

  private:
    std::vector<std::unique_ptr<FormatProvider>> m_providers;
    std::vector<FileTypeEntry> m_importable;
    std::vector<FileTypeEntry> m_exportable;
};

} // namespace kv
