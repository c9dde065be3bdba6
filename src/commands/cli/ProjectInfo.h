#pragma once
#include "storage/project/CompressionLevel.h"

#include <optional>
#include <string>

namespace kv {

class PluginHost;
class Project;

// A plain-text listing of a project's images and layers, one line each.
std::string ProjectInfoText(const Project& project);

// The headless commands: each returns the process exit code (0 or 1) and
// fills `out` with what belongs on standard output, `error` with the message
// for standard error.
int RunInfoCommand(const std::string& path, std::string& out, std::string& error);
// Any file: a project is listed as above; another file a provider
// recognises is described in the provider's words (an icon's entries with
// their sizes, depths and hotspots).
int RunFileInfoCommand(const PluginHost& host, const std::string& path, std::string& out,
                       std::string& error);
// Without a compression level the stored setting applies.
int RunConvertCommand(const std::string& input, const std::string& output,
                      std::optional<CompressionLevel> compression, std::string& error);

} // namespace kv
