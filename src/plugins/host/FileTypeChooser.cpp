#include "plugins/host/FileTypeChooser.h"

#include "plugins/host/PluginHost.h"

#include <vector>

namespace kv {
namespace {

// One provider asked about the file; true when it accepted it with a type
// of its own.
bool Ask(const PluginHost& host, const FormatProvider& provider, const std::string& path,
         bool wantPreview, std::size_t descriptionSize, FileTypeChoice& choice) {
    const KVXCanImportProc canImport = provider.functions().canImport;
    if (!canImport) return false;
    std::uint32_t id = 0;
    PortableMultiImage* preview = nullptr;
    std::vector<char> text(descriptionSize + 1, '\0');
    std::int32_t accepted = 0;
    try {
        accepted = canImport(path.c_str(), &id, wantPreview ? &preview : nullptr,
                             descriptionSize ? text.data() : nullptr,
                             static_cast<std::uint32_t>(descriptionSize));
    } catch (...) {
        accepted = 0;
    }
    // Whatever came back is ours now, also when it is not used.
    PortableMultiImagePtr owned(preview);
    const FileTypeEntry* entry = accepted ? host.findImportable(provider, id) : nullptr;
    if (!entry) return false;
    choice.entry = entry;
    choice.preview = std::move(owned);
    text.back() = '\0';
    choice.description = text.data();
    return true;
}

} // namespace

std::string FileExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < name) return {};
    return path.substr(dot + 1);
}

FileTypeChoice ChooseFileType(const PluginHost& host, const std::string& path, bool wantPreview,
                              std::size_t descriptionSize) {
    FileTypeChoice choice;
    const std::string extension = FileExtension(path);
    if (!extension.empty()) {
        for (const FileTypeEntry& entry : host.importableTypes())
            if (entry.hasExtension(extension) &&
                Ask(host, *entry.provider, path, wantPreview, descriptionSize, choice))
                return choice;
    }
    for (const auto& provider : host.providers())
        if (Ask(host, *provider, path, wantPreview, descriptionSize, choice)) return choice;
    return choice;
}

} // namespace kv
