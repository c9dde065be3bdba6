#pragma once
// --convert between any file types the loaded providers read and write,
// chosen by the files' extensions: projects, icons, cursors, pictures, and
// icon sets made from one picture.
#include "commands/cli/ConvertOptions.h"

#include <memory>
#include <string>
#include <vector>

namespace kv {

class Image;
class PluginHost;
class Project;

// Writes IN as OUT and answers the process exit code (0 or 1), with the
// message for standard error in `error`. OUT ending in '/' is a folder that
// receives an icon set in the icon theme's layout. A project written to a
// project without options is re-saved as --convert always did.
int RunFileConvertCommand(const PluginHost& host, const std::string& input,
                          const std::string& output, const ConvertOptions& options,
                          std::string& error);

// One square image of each side, made from the source's composite, scaled
// with its proportions kept and centred on transparency, in the target
// format (palette targets get a palette made from their own pixels). Throws
// CKVException when an image cannot be made.
std::unique_ptr<Project> MakeIconSet(const Image& source, const std::vector<std::int32_t>& sides,
                                     TargetFormat format);

// Where a folder icon set puts one side: "<folder>/<side>x<side>/apps/<name>.png".
std::string IconThemePath(const std::string& folder, std::int32_t side, const std::string& name);

} // namespace kv
