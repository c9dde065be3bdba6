#pragma once
// Import and export through the format library: whole projects (File menu)
// and single images (Image menu), with the remembered folders and export
// type.
#include <optional>
#include <string>
#include <vector>

namespace kv {

class CommandHost;
class FormatLibrary;
class Image;
struct FileTypeInfo;

class ImportExportCommands {
  public:
    ImportExportCommands(CommandHost& host, FormatLibrary& formats)
        : m_host(host), m_formats(formats) {}

    bool canImportProject() const { return true; }
    bool canExportProject() const;
    // Importing an image adds it to the open project.
    bool canImportImage() const;
    bool canExportImage() const;

    // Asks about the open project first; the file becomes the open project.
    bool importProject();
    // Every image marked for export, in one file of the chosen type.
    bool exportProject();
    // The file's image (the user picks one of several) joins the open
    // project and becomes current.
    bool importImage();
    bool exportImage();

  private:
    std::optional<std::string> chooseImportFile(const char* title);
    bool exportTo(const char* title, const Image* image);

    CommandHost& m_host;
    FormatLibrary& m_formats;
};

} // namespace kv
