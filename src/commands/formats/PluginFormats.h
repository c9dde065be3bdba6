#pragma once
#include "commands/formats/FormatLibrary.h"

namespace kv {

struct FileTypeEntry;
class PluginHost;

// The formats of every loaded provider: the built-in project type and what
// the plug-ins read and write. Providers report their own failures in the
// error box, so a failed call leaves `message` empty unless nobody was asked.
class PluginFormats final : public FormatLibrary {
  public:
    explicit PluginFormats(PluginHost& host) : m_host(host) {}

    FileFormat identify(const std::string& path) override;
    std::vector<FileTypeInfo> importTypes() override;
    std::unique_ptr<Project> importFile(const std::string& path, std::string& message) override;
    std::vector<FileTypeInfo> exportTypes(const Project& project, const Image* image) override;
    bool exportProject(const std::string& path, const FileTypeInfo& type, const Project& project,
                       std::string& message) override;
    bool exportImage(const std::string& path, const FileTypeInfo& type, const Image& image,
                     std::string& message) override;

  private:
    const FileTypeEntry* findExportable(const FileTypeInfo& type) const;

    PluginHost& m_host;
};

} // namespace kv
