#pragma once
#include "plugins/host/FileTypeEntry.h"
#include "plugins/portable/PortableBlocks.h"

#include <cstddef>
#include <string>

namespace kv {

class PluginHost;

inline constexpr const char* kUnknownFileType = "Unknown file type";

// The answer for one file: its type (null when no provider accepts it) and,
// when asked for, the accepting provider's preview and description.
struct FileTypeChoice {
    const FileTypeEntry* entry = nullptr;
    PortableMultiImagePtr preview;
    std::string description;
};

// The extension of a path's file name without the dot; empty when it has none.
std::string FileExtension(const std::string& path);

// Asks the providers whose importable types carry the file's extension, in
// type-list order, and then every provider in provider order; the first that
// accepts the file (naming one of its importable types) decides. A preview
// is asked for when `wantPreview`, a description when `descriptionSize` is
// not 0 (the text is cut to that buffer). Never reports: a provider that
// fails or throws counts as not accepting.
FileTypeChoice ChooseFileType(const PluginHost& host, const std::string& path, bool wantPreview,
                              std::size_t descriptionSize);

} // namespace kv
