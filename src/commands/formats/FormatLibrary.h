#pragma once
// The file formats beyond the program's own project files: identifying a
// file, importing it into a new project and exporting projects and images.
// The plug-in host stands behind it in the program; the built-in library
// knows projects only, and tests fake it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kv {

class Image;
class Project;

enum class FileFormat {
    Project,    // the program's own project file
    Importable, // a file some provider other than the project reader can read
    Unknown,    // nobody recognises it
};

// A file type a provider offers.
struct FileTypeInfo {
    // The provider's name (remembered as "Export.Format.Plugin").
    std::string provider;
    // The provider's own number for the type (remembered as "Export.Format.ID").
    std::uint32_t id = 0;
    std::string name;
    std::vector<std::string> extensions; // without the dot
    friend bool operator==(const FileTypeInfo&, const FileTypeInfo&) = default;
};

// Failures that have something to say carry it in `message`; an empty
// message means the provider already told the user, or there is nothing to
// tell. The methods may throw CKVException (its message is shown) or
// CKVAbortRequest (the user cancelled); anything else that escapes is a
// provider's malfunction.
class FormatLibrary {
  public:
    virtual ~FormatLibrary() = default;

    virtual FileFormat identify(const std::string& path) = 0;
    // The types the import dialogs list.
    virtual std::vector<FileTypeInfo> importTypes() = 0;
    // The file read into a new project whose images keep the file's order;
    // null when reading failed.
    virtual std::unique_ptr<Project> importFile(const std::string& path, std::string& message) = 0;

    // The types that can store the project's images for export, or the one
    // image (null for the project).
    virtual std::vector<FileTypeInfo> exportTypes(const Project& project, const Image* image) = 0;
    virtual bool exportProject(const std::string& path, const FileTypeInfo& type,
                               const Project& project, std::string& message) = 0;
    virtual bool exportImage(const std::string& path, const FileTypeInfo& type, const Image& image,
                             std::string& message) = 0;
};

} // namespace kv
