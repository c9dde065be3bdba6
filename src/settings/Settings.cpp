#include "settings/Settings.h"

#include "platform/Exceptions.h"
#include "platform/XdgFolders.h"

#include <memory>

namespace kv {
namespace {

std::unique_ptr<SettingsStore>& Instance() {
    static std::unique_ptr<SettingsStore> store;
    return store;
}

} // namespace

SettingsStore& CreateSettings(const Rect& workArea) {
    Instance() = std::make_unique<SettingsStore>(DocumentsFolder(), workArea);
    return *Instance();
}

void DestroySettings() {
    Instance().reset();
}

bool HaveSettings() {
    return Instance() != nullptr;
}

SettingsStore& Settings() {
    if (!Instance()) throw CKVException("Settings have not been created");
    return *Instance();
}

bool LoadSettings() {
    return HaveSettings() && Settings().loadFromRegistry();
}

bool SaveSettings() {
    return HaveSettings() && Settings().saveToRegistry();
}

} // namespace kv
