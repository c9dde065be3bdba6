#pragma once
// The requests commands make of the open and save dialogs, and the filters
// they offer.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// One line of a dialog's file type list: a description and its patterns.
struct FileFilter {
    std::string description;
    std::vector<std::string> patterns; // "*.kvp"
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string title;
    // Ends in '/' (or is empty: wherever the dialog likes).
    std::string folder;
    // Save dialogs: the name proposed.
    std::string fileName;
    std::vector<FileFilter> filters;
    std::size_t selectedFilter = 0;
    // Save dialogs: added to a name typed without one.
    std::string defaultExtension;
    // Open and import dialogs show a preview of the selected file.
    bool preview = false;
};

struct FileChoice {
    std::string path;
    // The filter that was selected when the user confirmed.
    std::size_t filter = 0;
};

// A type name with the patterns of its extensions ("*.png").
FileFilter FilterFor(const std::string& description, const std::vector<std::string>& extensions);
// The list ends with "ALL FILES" (*.*); import lists start with "All
// supported file types" holding every pattern of the others.
std::vector<FileFilter> FiltersWithAllFiles(std::vector<FileFilter> filters);
std::vector<FileFilter> ImportFilters(const std::vector<FileFilter>& types);

// The folder of a path, ending in '/' ("" for a bare name).
std::string FolderOfPath(const std::string& path);
// The file name without folder and without its last extension.
std::string FileStem(const std::string& path);
// The path, with ".extension" added when its file name has no extension.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

} // namespace kv
