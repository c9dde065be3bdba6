#pragma once
#include "settings/BoolSetting.h"
#include "settings/ColorSetting.h"
#include "settings/MainWindowDefaults.h"
#include "settings/SignedSetting.h"
#include "settings/TextSetting.h"
#include "settings/UnsignedSetting.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Every preference of the program in one list, in the order they are loaded
// and saved, each under the key "SOFTWARE\Dunmere\Korvane" of the user hive.
class SettingsStore {
  public:
    static constexpr const char* kRootKey = "SOFTWARE\\Dunmere\\Korvane";

    // Builds every setting at its default. documentsFolder is the default of
    // the path settings; the work area decides the main window defaults.
    explicit SettingsStore(const std::string& documentsFolder,
                           const Rect& workArea = kFallbackWorkArea);

    // Sets the main window defaults (and the color panel height that depends
    // on them) and resets those settings to them. Call before loading.
    void setMainWindowDefaults(const MainWindowDefaults& defaults);

    // Reads every setting from a hive root, then applies the limits. False,
    // leaving all settings untouched, when the program's key is missing; a
    // setting whose value is missing or unreadable keeps its current value.
    bool load(const RegistryKey& hiveRoot);
    // Writes every setting by its mode below the hive root.
    void save(RegistryKey& hiveRoot) const;
    // The same through the user hive file; saving answers false when the
    // file could not be written (callers stay silent about it).
    bool loadFromRegistry();
    bool saveToRegistry() const;

    // Every setting back to its default.
    void resetAll();
    // For an options dialog: pending := current, current := pending, and
    // pending := default for every setting.
    void beginEditAll();
    void applyAll();
    void restorePendingDefaultsAll();

    const std::vector<std::unique_ptr<Setting>>& all() const { return m_settings; }
    // Null when there is no setting of that name.
    Setting* find(std::string_view name) const;

    // Typed access by name; throws CKVException for an unknown name or a
    // setting of another class, which is a programming error.
    SignedSetting& signedSetting(std::string_view name) const;
    UnsignedSetting& unsignedSetting(std::string_view name) const;
    BoolSetting& boolSetting(std::string_view name) const;
    ColorSetting& colorSetting(std::string_view name) const;
    TextSetting& textSetting(std::string_view name) const;

    std::int32_t signedValue(std::string_view name) const { return signedSetting(name).value(); }
    std::uint32_t unsignedValue(std::string_view name) const {
        return unsignedSetting(name).value();
    }
    bool boolValue(std::string_view name) const { return boolSetting(name).value(); }
    Color32 colorValue(std::string_view name) const { return colorSetting(name).value(); }
    const std::string& textValue(std::string_view name) const { return textSetting(name).value(); }

  private:
    void forEach(void (Setting::*step)());
    template <class S> S& typed(std::string_view name) const;
    template <class S, class V> void add(const char* name, V defaultValue, int mode);
    void build(const std::string& documentsFolder);
    void applyLoadLimits();

    std::vector<std::unique_ptr<Setting>> m_settings;
};

} // namespace kv
