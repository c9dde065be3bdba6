#include "settings/SettingsStore.h"

#include "model/ModelTypes.h"
#include "platform/Exceptions.h"
#include "platform/RegistryHive.h"

#include <algorithm>

namespace kv {
namespace {

// Bounds checked once after loading, so hand-edited values stay usable.
// Unsigned settings compare unsigned and signed ones signed: both fit int64.
struct LoadLimit {
    const char* name;
    std::int64_t low;
    std::int64_t high;
};

constexpr std::int64_t kNoBound = INT64_MAX;

constexpr LoadLimit kLoadLimits[] = {
    {"Drawing.Tools.MagicWand.Tolerance", 0, 255},
    {"Drawing.Tools.Pencil.Size", 1, 100},
    {"Drawing.Tools.Brush.Size", 1, 100},
    {"Drawing.Tools.Brush.Hardness", 0, 100},
    {"Drawing.Tools.Brush.Opacity", 1, 100},
    {"Drawing.Tools.FloodFiller.Tolerance", 0, 255},
    {"Drawing.Tools.Eraser.Size", 1, 100},
    {"Drawing.Tools.Text.Font.Size", 1, 999},
    {"Drawing.Tools.Rectangle.OutlineWidth", 1, 100},
    {"Drawing.Tools.Ellipse.OutlineWidth", 1, 100},
    {"Project.File.MaxThumbnailSize", 16, 1024},
    {"Limits.Tools.Text.MemoryLimit", 0, 64},
    {"Limits.Undo.MinDepth", 1, kNoBound},
    {"Limits.Undo.MaxDepth", 1, 1000},
    {"Limits.Undo.MemoryLimit", 1, 256},
};

constexpr const char* kFontStyle = "Drawing.Tools.Text.Font.Style";
constexpr std::uint32_t kMaxFontStyle = 3;

template <class T> T Clamped(T value, const LoadLimit& limit) {
    const auto v = static_cast<std::int64_t>(value);
    return static_cast<T>(std::clamp(v, limit.low, limit.high));
}

} // namespace

SettingsStore::SettingsStore(const std::string& documentsFolder, const Rect& workArea) {
    build(documentsFolder);
    setMainWindowDefaults(ComputeMainWindowDefaults(workArea));
}

template <class S, class V> void SettingsStore::add(const char* name, V defaultValue, int mode) {
    m_settings.push_back(std::make_unique<S>(name, static_cast<SettingMode>(mode), defaultValue));
}

void SettingsStore::build(const std::string& docs) {
    const Color32 black = MakeColor32(0, 0, 0, 255);
    const Color32 transparentBlack = MakeColor32(0, 0, 0, 0);
    add<UnsignedSetting>("Timings.AutoScrollInterval", 100u, 2);
    add<UnsignedSetting>("Timings.MaskAnimationInterval", 200u, 2);
    add<ColorSetting>("Drawing.Colors.Primary", black, 1);
    add<ColorSetting>("Drawing.Colors.Secondary", transparentBlack, 1);
    add<ColorSetting>("UI.Colors.Chequer.A", MakeColor32(240, 240, 240, 255), 2);
    add<ColorSetting>("UI.Colors.Chequer.B", MakeColor32(192, 192, 192, 255), 2);
    add<ColorSetting>("UI.Colors.Grid.A", MakeColor32(160, 160, 200, 255), 2);
    add<ColorSetting>("UI.Colors.Grid.B", MakeColor32(204, 204, 255, 255), 2);
    add<SignedSetting>("MainWindow.Size.Width", 0, 1);
    add<SignedSetting>("MainWindow.Size.Height", 0, 1);
    add<SignedSetting>("MainWindow.Position.Left", 0, 1);
    add<SignedSetting>("MainWindow.Position.Top", 0, 1);
    add<BoolSetting>("MainWindow.Minimized", false, 1);
    add<BoolSetting>("MainWindow.Maximized", false, 1);
    add<BoolSetting>("Panels.Project.Body.Folded", false, 1);
    add<SignedSetting>("Panels.Project.Body.ClientHeight", 96, 1);
    add<BoolSetting>("Panels.Image.Body.Folded", false, 1);
    add<SignedSetting>("Panels.Image.Body.ClientHeight", 92, 1);
    add<BoolSetting>("Panels.Tool.Body.Folded", false, 1);
    add<SignedSetting>("Panels.Tool.Body.ClientHeight", 56, 1);
    add<BoolSetting>("Panels.Color.Body.Folded", false, 1);
    add<SignedSetting>("Panels.Color.Body.ClientHeight", 102, 1);
    add<BoolSetting>("Panels.Preview.Body.Folded", false, 1);
    add<SignedSetting>("Panels.Preview.Body.ClientHeight", 256, 1);
    add<BoolSetting>("Panels.Preview.ChequeredBackground", true, 1);
    add<UnsignedSetting>("ColorEditor.ColorSpace", 1u, 1);
    add<BoolSetting>("ImageFilePreview.Enabled", true, 1);
    add<BoolSetting>("ImageFilePreview.ChequeredBackground", false, 1);
    add<UnsignedSetting>("Drawing.Tools.Selector.Shape", 1u, 1);
    add<UnsignedSetting>("Drawing.Tools.MagicWand.Tolerance", 0u, 1);
    add<UnsignedSetting>("Drawing.Tools.Pencil.Size", 1u, 1);
    add<UnsignedSetting>("Drawing.Tools.Brush.Size", 8u, 1);
    add<UnsignedSetting>("Drawing.Tools.Brush.Hardness", 0u, 1);
    add<UnsignedSetting>("Drawing.Tools.Brush.Opacity", 100u, 1);
    add<UnsignedSetting>("Drawing.Tools.Gradient.Type", 1u, 1);
    add<UnsignedSetting>("Drawing.Tools.FloodFiller.Tolerance", 0u, 1);
    add<UnsignedSetting>("Drawing.Tools.Eraser.Size", 16u, 1);
    add<TextSetting>("Drawing.Tools.Text.Font.Name", std::string("Tahoma"), 1);
    add<UnsignedSetting>("Drawing.Tools.Text.Font.Style", 0u, 1);
    add<UnsignedSetting>("Drawing.Tools.Text.Font.Size", 11u, 1);
    add<UnsignedSetting>("Drawing.Tools.Rectangle.Type", 1u, 1);
    add<UnsignedSetting>("Drawing.Tools.Rectangle.OutlineWidth", 1u, 1);
    add<UnsignedSetting>("Drawing.Tools.Ellipse.Type", 1u, 1);
    add<UnsignedSetting>("Drawing.Tools.Ellipse.OutlineWidth", 1u, 1);
    add<TextSetting>("Swatches.File.Path", docs, 1);
    add<TextSetting>("Project.File.Path", docs, 1);
    add<BoolSetting>("Project.File.RelaxedChecks", false, 2);
    add<BoolSetting>("Project.File.EmbedThumbnails", true, 2);
    add<SignedSetting>("Project.File.MaxThumbnailSize", 256, 2);
    add<SignedSetting>("Project.File.MaxThumbnailSizeEx", 1024, 2);
    add<SignedSetting>("Project.File.Compression", 1, 2);
    add<UnsignedSetting>("Image.Width", 32u, 1);
    add<UnsignedSetting>("Image.Height", 32u, 1);
    add<UnsignedSetting>("Image.TargetFormat", static_cast<std::uint32_t>(TargetFormat::Rgba32), 1);
    add<TextSetting>("Import.Path", docs, 1);
    add<TextSetting>("Export.Path", docs, 1);
    add<UnsignedSetting>("Export.Format.ID", 0u, 1);
    add<TextSetting>("Export.Format.Plugin", std::string(), 1);
    add<UnsignedSetting>("Limits.Supersampling.MaxPixelCount", 100000u, 2);
    add<UnsignedSetting>("Limits.Tools.Text.MemoryLimit", 16u, 2);
    add<SignedSetting>("Limits.Undo.MinDepth", 1, 2);
    add<SignedSetting>("Limits.Undo.MaxDepth", 100, 2);
    add<SignedSetting>("Limits.Undo.MemoryLimit", 16, 2);
    add<BoolSetting>("Shell.RegisterFileTypesOnStartup", false, 2);
}

void SettingsStore::setMainWindowDefaults(const MainWindowDefaults& d) {
    auto setDefault = [](auto& setting, auto value) {
        setting.setDefault(value);
        setting.reset();
    };
    setDefault(signedSetting("MainWindow.Size.Width"), d.width);
    setDefault(signedSetting("MainWindow.Size.Height"), d.height);
    setDefault(signedSetting("MainWindow.Position.Left"), d.left);
    setDefault(signedSetting("MainWindow.Position.Top"), d.top);
    setDefault(boolSetting("MainWindow.Minimized"), false);
    setDefault(boolSetting("MainWindow.Maximized"), d.maximized);
    // A short window leaves less room for the panels.
    setDefault(signedSetting("Panels.Color.Body.ClientHeight"), d.height < 720 ? 87 : 102);
}

bool SettingsStore::load(const RegistryKey& hiveRoot) {
    const RegistryKey* root = hiveRoot.openKey(kRootKey);
    if (!root) return false;
    for (const auto& setting : m_settings) {
        const std::string path = setting->keyPath();
        const RegistryKey* key = path.empty() ? root : root->openKey(path);
        if (key) setting->read(*key, setting->valueName());
    }
    applyLoadLimits();
    return true;
}

void SettingsStore::applyLoadLimits() {
    for (const LoadLimit& limit : kLoadLimits) {
        Setting* s = find(limit.name);
        if (auto* u = dynamic_cast<UnsignedSetting*>(s))
            u->setValue(Clamped(u->value(), limit));
        else if (auto* i = dynamic_cast<SignedSetting*>(s))
            i->setValue(Clamped(i->value(), limit));
    }
    UnsignedSetting& style = unsignedSetting(kFontStyle);
    if (style.value() > kMaxFontStyle) style.setValue(style.defaultValue());
}

void SettingsStore::save(RegistryKey& hiveRoot) const {
    RegistryKey* root = hiveRoot.createKey(kRootKey);
    if (!root) return;
    for (const auto& setting : m_settings) {
        const std::string path = setting->keyPath();
        const bool removeDefault =
            setting->mode() == SettingMode::WhenChanged && setting->isDefault();
        if (removeDefault) {
            // Nothing to create just to delete from it.
            if (RegistryKey* key = path.empty() ? root : root->openKey(path))
                key->deleteValue(setting->valueName());
            continue;
        }
        if (RegistryKey* key = path.empty() ? root : root->createKey(path))
            setting->write(*key, setting->valueName());
    }
}

bool SettingsStore::loadFromRegistry() {
    RegistryHive hive(HiveId::CurrentUser);
    return load(hive.root());
}

bool SettingsStore::saveToRegistry() const {
    RegistryHive hive(HiveId::CurrentUser);
    save(hive.root());
    return hive.save();
}

void SettingsStore::forEach(void (Setting::*step)()) {
    for (const auto& s : m_settings)
        ((*s).*step)();
}

void SettingsStore::resetAll() {
    forEach(&Setting::reset);
}

void SettingsStore::beginEditAll() {
    forEach(&Setting::beginEdit);
}

void SettingsStore::applyAll() {
    forEach(&Setting::apply);
}

void SettingsStore::restorePendingDefaultsAll() {
    forEach(&Setting::restorePendingDefault);
}

Setting* SettingsStore::find(std::string_view name) const {
    for (const auto& s : m_settings)
        if (s->name() == name) return s.get();
    return nullptr;
}

template <class S> S& SettingsStore::typed(std::string_view name) const {
    auto* s = dynamic_cast<S*>(find(name));
    if (!s) throw CKVException("Unknown setting or wrong type: " + std::string(name));
    return *s;
}

SignedSetting& SettingsStore::signedSetting(std::string_view name) const {
    return typed<SignedSetting>(name);
}
UnsignedSetting& SettingsStore::unsignedSetting(std::string_view name) const {
    return typed<UnsignedSetting>(name);
}
BoolSetting& SettingsStore::boolSetting(std::string_view name) const {
    return typed<BoolSetting>(name);
}
ColorSetting& SettingsStore::colorSetting(std::string_view name) const {
    return typed<ColorSetting>(name);
}
TextSetting& SettingsStore::textSetting(std::string_view name) const {
    return typed<TextSetting>(name);
}

} // namespace kv
