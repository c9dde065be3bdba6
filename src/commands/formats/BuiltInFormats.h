#pragma once
#include "commands/formats/FormatLibrary.h"

namespace kv {

// The formats the program knows without plug-ins: its own project files.
// It stands in the program until the plug-in host provides the others.
class BuiltInFormats final : public FormatLibrary {
  public:
    static constexpr const char* kProviderName = "INTERNAL FORMATS";
    static constexpr std::uint32_t kProjectTypeId = 1;

    FileFormat identify(const std::string& path) override;
    std::vector<FileTypeInfo> importTypes() override;
    std::unique_ptr<Project> importFile(const std::string& path, std::string& message) override;
    std::vector<FileTypeInfo> exportTypes(const Project& project, const Image* image) override;
    bool exportProject(const std::string& path, const FileTypeInfo& type, const Project& project,
                       std::string& message) override;
    bool exportImage(const std::string& path, const FileTypeInfo& type, const Image& image,
                     std::string& message) override;

    static FileTypeInfo projectType();
};

} // namespace kv
