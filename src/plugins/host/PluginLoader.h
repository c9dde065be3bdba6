#pragma once
#include "plugins/host/FormatProvider.h"

#include <memory>
#include <string>

namespace kv {

// Why a file did not become a provider. The host loads silently; tests and
// diagnostics read the reason.
enum class PluginRejection {
    None,
    CannotLoad,      // not a loadable library
    MissingFunction, // a required KVX function is not exported
    OldSdk,          // built for an SDK older than KVX_MIN_SDK_VERSION
    EmptyName,
    LinkRefused, // KVXLink answered 0
    Malfunction, // a call threw
};

struct PluginLoadResult {
    std::unique_ptr<FormatProvider> provider; // null when rejected
    PluginRejection rejection = PluginRejection::None;
};

// Loads one plug-in file: the required functions are resolved and called in
// order (SDK version, features, name, version, last error, link), then the
// optional ones are resolved and KVXAdjustUI is called. Any failure releases
// the library again.
PluginLoadResult LoadPlugin(const std::string& path);

} // namespace kv
