#pragma once
#include "kvx.h"
#include "plugins/host/PluginLibrary.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kv {

// The KVX functions a provider offers; each may be absent.
struct KvxFunctions {
    KVXGetLastErrorProc getLastError = nullptr;
    KVXAdjustUIProc adjustUI = nullptr;
    KVXSettingsProc settings = nullptr;
    KVXAboutProc about = nullptr;
    KVXGetFileTypeProc firstImportable = nullptr;
    KVXGetFileTypeProc nextImportable = nullptr;
    KVXGetFileTypeProc firstExportable = nullptr;
    KVXGetFileTypeProc nextExportable = nullptr;
    KVXCanImportProc canImport = nullptr;
    KVXImportProc importFile = nullptr;
    KVXCanExportProc canExport = nullptr;
    KVXExportProc exportFile = nullptr;
};

// Where a provider comes from: 1 is the built-in one, 3 a plug-in loaded from
// a file (2 counts as 3 wherever kinds are told apart).
enum class ProviderKind : std::uint32_t { Builtin = 1, Plugin = 3 };

struct ProviderInfo {
    ProviderKind kind = ProviderKind::Plugin;
    std::uint32_t sdkVersion = 0;
    std::uint32_t features = 0;
    std::string name;
    std::uint32_t version = 0;
    std::string path;
};

// A source of file types: the built-in project format or one plug-in, whose
// library stays loaded as long as the provider lives.
class FormatProvider {
  public:
    FormatProvider(ProviderInfo info, const KvxFunctions& functions,
                   std::unique_ptr<PluginLibrary> library = nullptr)
        : m_library(std::move(library)), m_info(std::move(info)), m_functions(functions) {}
    FormatProvider(const FormatProvider&) = delete;
    FormatProvider& operator=(const FormatProvider&) = delete;

    ProviderKind kind() const { return m_info.kind; }
    bool isBuiltin() const { return m_info.kind == ProviderKind::Builtin; }
    std::uint32_t sdkVersion() const { return m_info.sdkVersion; }
    std::uint32_t features() const { return m_info.features; }
    const std::string& name() const { return m_info.name; }
    std::uint32_t version() const { return m_info.version; }
    const std::string& path() const { return m_info.path; }
    const KvxFunctions& functions() const { return m_functions; }

  private:
    // First, so that it is released last.
    std::unique_ptr<PluginLibrary> m_library;
    ProviderInfo m_info;
    KvxFunctions m_functions;
};

} // namespace kv
