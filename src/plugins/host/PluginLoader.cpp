#include "plugins/host/PluginLoader.h"

#include "plugins/services/ServiceProc.h"

#include <cstring>

namespace kv {
namespace {

struct Rejected {
    PluginRejection reason;
};

template <typename F> F Required(const PluginLibrary& library, const char* name) {
    F function = library.function<F>(name);
    if (!function) throw Rejected{PluginRejection::MissingFunction};
    return function;
}

std::string ReadName(KVXGetNameProc getName) {
    char buffer[KVX_NAME_BUFFER_SIZE] = {};
    getName(buffer, sizeof buffer);
    buffer[sizeof buffer - 1] = '\0';
    if (buffer[0] == '\0') throw Rejected{PluginRejection::EmptyName};
    return buffer;
}

KvxFunctions ResolveOptional(const PluginLibrary& library, KVXGetLastErrorProc getLastError) {
    KvxFunctions f;
    f.getLastError = getLastError;
    f.adjustUI = library.function<KVXAdjustUIProc>("KVXAdjustUI");
    f.settings = library.function<KVXSettingsProc>("KVXSettings");
    f.about = library.function<KVXAboutProc>("KVXAbout");
    f.firstImportable = library.function<KVXGetFileTypeProc>("KVXGetFirstImportableFileType");
    f.nextImportable = library.function<KVXGetFileTypeProc>("KVXGetNextImportableFileType");
    f.firstExportable = library.function<KVXGetFileTypeProc>("KVXGetFirstExportableFileType");
    f.nextExportable = library.function<KVXGetFileTypeProc>("KVXGetNextExportableFileType");
    f.canImport = library.function<KVXCanImportProc>("KVXCanImport");
    f.importFile = library.function<KVXImportProc>("KVXImport");
    f.canExport = library.function<KVXCanExportProc>("KVXCanExport");
    f.exportFile = library.function<KVXExportProc>("KVXExport");
    return f;
}

struct Loaded {
    ProviderInfo info;
    KvxFunctions functions;
};

Loaded Load(const PluginLibrary& library, const std::string& path) {
    Loaded loaded;
    ProviderInfo& info = loaded.info;
    info.kind = ProviderKind::Plugin;
    info.path = path;
    info.sdkVersion = Required<KVXGetSDKVersionProc>(library, "KVXGetSDKVersion")();
    if (info.sdkVersion < KVX_MIN_SDK_VERSION) throw Rejected{PluginRejection::OldSdk};
    info.features = Required<KVXGetFeaturesProc>(library, "KVXGetFeatures")();
    info.name = ReadName(Required<KVXGetNameProc>(library, "KVXGetName"));
    info.version = Required<KVXGetVersionProc>(library, "KVXGetVersion")();
    const auto getLastError = Required<KVXGetLastErrorProc>(library, "KVXGetLastError");
    const auto link = Required<KVXLinkProc>(library, "KVXLink");
    if (!link(0, KVX_HOST_INTERFACE_VERSION, KorvaneServiceProc))
        throw Rejected{PluginRejection::LinkRefused};
    loaded.functions = ResolveOptional(library, getLastError);
    if (loaded.functions.adjustUI) loaded.functions.adjustUI();
    return loaded;
}

} // namespace

PluginLoadResult LoadPlugin(const std::string& path) {
    PluginLoadResult result;
    std::unique_ptr<PluginLibrary> library = PluginLibrary::open(path);
    if (!library) {
        result.rejection = PluginRejection::CannotLoad;
        return result;
    }
    // The library stays loaded until the handlers are done: an exception
    // thrown by the plug-in may need its code to be destroyed.
    Loaded loaded;
    try {
        loaded = Load(*library, path);
    } catch (const Rejected& r) {
        result.rejection = r.reason;
    } catch (...) {
        result.rejection = PluginRejection::Malfunction;
    }
    if (result.rejection == PluginRejection::None)
        result.provider = std::make_unique<FormatProvider>(std::move(loaded.info), loaded.functions,
                                                           std::move(library));
    return result;
}

} // namespace kv
