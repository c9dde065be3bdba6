#include "commands/host/FileDialogs.h"

namespace kv {

FileFilter FilterFor(const std::string& description, const std::vector<std::string>& extensions) {
    FileFilter filter{description, {}};
    for (const std::string& extension : extensions)
        filter.patterns.push_back("*." + extension);
    return filter;
}

std::vector<FileFilter> FiltersWithAllFiles(std::vector<FileFilter> filters) {
    filters.push_back({"ALL FILES", {"*.*"}});
    return filters;
}

std::vector<FileFilter> ImportFilters(const std::vector<FileFilter>& types) {
    FileFilter all{"All supported file types", {}};
    for (const FileFilter& type : types)
        for (const std::string& pattern : type.patterns)
            all.patterns.push_back(pattern);
    std::vector<FileFilter> filters{all};
    filters.insert(filters.end(), types.begin(), types.end());
    return FiltersWithAllFiles(std::move(filters));
}

std::string FolderOfPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileStem(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    // A leading dot names a hidden file rather than starting an extension.
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (extension.empty() || name.empty() || name.find('.') != std::string::npos) return path;
    return path + "." + extension;
}

} // namespace kv
