#include "commands/swatches/SwatchCommands.h"

#include "commands/host/CommandHost.h"
#include "commands/host/CommandSupport.h"
#include "commands/swatches/SwatchSets.h"
#include "settings/Settings.h"
#include "storage/swatches/SwatchFiles.h"

namespace kv {
namespace {

// A COLOR block without a colour gives an opaque black swatch.
constexpr Color32 kUnnamedSwatch = 0xFF000000u;

// Our own type first, then the palettes other programs write.
std::vector<FileFilter> SwatchFilters() {
    std::vector<FileFilter> filters;
    for (const SwatchFileTypeInfo& type : SwatchFileTypes())
        filters.push_back(FilterFor(type.name, {type.extension}));
    return FiltersWithAllFiles(std::move(filters));
}

FileDialogRequest SwatchDialog(FileDialogKind kind, const char* title) {
    FileDialogRequest request;
    request.kind = kind;
    request.title = title;
    request.folder = TextSettingValue("Swatches.File.Path");
    request.filters = SwatchFilters();
    if (kind == FileDialogKind::Save) request.defaultExtension = kSwatchSetExtension;
    return request;
}

// A name typed without an extension takes the one of the type chosen in
// the dialog; "ALL FILES" means our own.
std::string ExtensionOfFilter(std::size_t filter) {
    const std::vector<SwatchFileTypeInfo>& types = SwatchFileTypes();
    return filter < types.size() ? types[filter].extension : kSwatchSetExtension;
}

} // namespace

bool SwatchCommands::newSet(SwatchSetKind kind) {
    switch (kind) {
    case SwatchSetKind::Empty:
        m_swatches.clear();
        break;
    case SwatchSetKind::Default:
        m_swatches.replace(DefaultSwatchSet());
        break;
    case SwatchSetKind::WebSafe:
        m_swatches.replace(WebSafeSwatchSet());
        break;
    }
    m_host.refresh(RefreshScope::Swatches);
    return true;
}

bool SwatchCommands::load() {
    const std::optional<FileChoice> choice =
        m_host.chooseFile(SwatchDialog(FileDialogKind::Open, "Load swatches"));
    if (!choice) return false;
    SetTextSetting("Swatches.File.Path", FolderOfPath(choice->path));
    std::vector<Color32> colors;
    if (!RunReported(m_host, [&] {
            colors = LoadSwatchFile(choice->path, kUnnamedSwatch);
            return true;
        }))
        return false;
    m_swatches.replace(std::move(colors));
    m_host.refresh(RefreshScope::Swatches);
    return true;
}

bool SwatchCommands::save() {
    const std::optional<FileChoice> choice =
        m_host.chooseFile(SwatchDialog(FileDialogKind::Save, "Save swatches"));
    if (!choice) return false;
    const std::string path = WithDefaultExtension(choice->path, ExtensionOfFilter(choice->filter));
    SetTextSetting("Swatches.File.Path", FolderOfPath(path));
    return RunReported(m_host, [&] {
        SaveSwatchFile(path, m_swatches.colors());
        return true;
    });
}

bool SwatchCommands::add(Color32 color) {
    m_swatches.add(color);
    m_host.refresh(RefreshScope::Swatches);
    return true;
}

bool SwatchCommands::addPrimaryColor() {
    return HaveSettings() && add(Settings().colorValue("Drawing.Colors.Primary"));
}

bool SwatchCommands::addSecondaryColor() {
    return HaveSettings() && add(Settings().colorValue("Drawing.Colors.Secondary"));
}

} // namespace kv
