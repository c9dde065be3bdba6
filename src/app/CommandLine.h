#pragma once
#include "commands/cli/ConvertOptions.h"

#include "commands/cli/ThumbnailCommand.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// Splits a command-line text into tokens: white space separates outside
// double quotes, quotes are dropped, "" inside quotes is one literal quote,
// and empty tokens are never produced.
std::vector<std::string> SplitCommandLine(const std::string& text);

enum class StartSwitch {
    None,       // start normally, open the path as a project
    Register,   // register with the desktop, no window
    Unregister, // remove the registration, no window
    Import,     // start normally, import the path
    Help,       // print the usage, no window
    Version,    // print the version, no window
    Info,       // describe the project FILE, no window
    Convert,    // write IN as OUT, no window
    Thumbnail,  // write IN's preview as a PNG file, no window
    Other,      // start normally, ignore the path
};

struct CommandLine {
    StartSwitch startSwitch = StartSwitch::None;
    std::string switchText; // as given, without its leading dashes or slash
    std::string path;
    std::string outputPath; // the second path, for Convert and Thumbnail
    ConvertOptions convert; // --compression, --sizes, --depth, --image, --hotspot
    std::int32_t thumbnailSize = kDefaultThumbnailSize; // the third path, for Thumbnail
    std::string error; // why the arguments cannot be run, for the switches without window
};

// Takes the first switch and the first path; later ones are ignored, except
// that Convert and Thumbnail take a second path (Thumbnail a third, its
// size), and that the options of Convert ("--compression N", "--sizes LIST",
// "--depth N", "--image N", "--hotspot X,Y") count anywhere, each taking the
// next token as its value (or the text after "=": "--sizes=16,32"). Beside
// the switches without window any other later switch is an error, so that a
// misspelt option is not ignored. Switches are "-r", "--register" and so on;
// "/r", "/u", "/i" count as switches only when no such file exists. Letters
// are compared ignoring case.
CommandLine ParseCommandLine(const std::vector<std::string>& tokens,
                             const std::function<bool(const std::string&)>& pathExists);

bool PathExists(const std::string& path);

const char* UsageText();

} // namespace kv
