#include "plugins/host/PluginHost.h"

#include "platform/ProcessValues.h"
#include "plugins/host/BuiltinProvider.h"
#include "plugins/host/PluginLoader.h"

#include <algorithm>
#include <dirent.h>

namespace kv {
namespace {

constexpr std::string_view kPluginSuffix = ".kvplugin";
// A provider that keeps answering descriptors is cut off here.
constexpr int kMaxFileTypesPerProvider = 4096;

std::vector<std::string> PluginFiles(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() > kPluginSuffix.size() && name.ends_with(kPluginSuffix))
            names.emplace_back(name);
    }
    closedir(dir);
    // Name order, so that every machine loads the same way.
    std::sort(names.begin(), names.end());
    return names;
}

// Calls first, then next until null, copying every usable descriptor.
void CollectTypes(const FormatProvider& provider, KVXGetFileTypeProc first, KVXGetFileTypeProc next,
                  std::vector<FileTypeEntry>& list) {
    if (!first) return;
    try {
        const FileTypeDescriptor* descriptor = first();
        for (int n = 0; descriptor && n < kMaxFileTypesPerProvider; ++n) {
            FileTypeEntry entry;
            if (ReadFileTypeDescriptor(descriptor, provider, entry)) list.push_back(entry);
            descriptor = next ? next() : nullptr;
        }
    } catch (...) {
        // A provider that throws while enumerating keeps the types it gave.
    }
}

void SortByName(std::vector<FileTypeEntry>& list) {
    std::stable_sort(list.begin(), list.end(), [](const FileTypeEntry& a, const FileTypeEntry& b) {
        return LessIgnoringCase(a.name, b.name);
    });
}

} // namespace

std::vector<std::string> PluginFolders(const std::string& executableFolder) {
    const std::string folder = AppendSlash(executableFolder);
    return {folder + "Plugins/", folder + "../lib/korvane/plugins/"};
}

PluginHost::PluginHost() {
    m_providers.push_back(MakeBuiltinProvider());
}

PluginHost::~PluginHost() = default;

void PluginHost::start(const std::string& executableFolder) {
    for (const std::string& folder : PluginFolders(executableFolder))
        loadFolder(folder);
    buildTypeLists();
}

int PluginHost::loadFolder(const std::string& folder) {
    int loaded = 0;
    for (const std::string& name : PluginFiles(AppendSlash(folder))) {
        PluginLoadResult result = LoadPlugin(AppendSlash(folder) + name);
        if (!result.provider) continue;
        m_providers.push_back(std::move(result.provider));
        ++loaded;
    }
    return loaded;
}

void PluginHost::buildTypeLists() {
    std::stable_sort(m_providers.begin(), m_providers.end(), [](const auto& a, const auto& b) {
        return LessIgnoringCase(a->name(), b->name());
    });
    m_importable.clear();
    m_exportable.clear();
    for (const auto& provider : m_providers) {
        const KvxFunctions& f = provider->functions();
        if (provider->features() & KVX_FEATURE_IMPORT)
            CollectTypes(*provider, f.firstImportable, f.nextImportable, m_importable);
        if (provider->features() & KVX_FEATURE_EXPORT)
            CollectTypes(*provider, f.firstExportable, f.nextExportable, m_exportable);
    }
    SortByName(m_importable);
    SortByName(m_exportable);
}

const FileTypeEntry* PluginHost::findImportable(const FormatProvider& provider,
                                                std::uint32_t id) const {
    for (const FileTypeEntry& entry : m_importable)
        if (entry.provider == &provider && entry.id == id) return &entry;
    return nullptr;
}

const FormatProvider* PluginHost::findProvider(std::string_view name) const {
    for (const auto& provider : m_providers)
        if (provider->name() == name) return provider.get();
    return nullptr;
}

} // namespace kv
