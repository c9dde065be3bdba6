#include "app/CommandLine.h"

#include "platform/ErrorReporter.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <sys/stat.h>

namespace kv {

std::vector<std::string> SplitCommandLine(const std::string& text) {
    std::vector<std::string> tokens;
    std::string token;
    auto flush = [&] {
        if (token.empty()) return;
        try {
            tokens.push_back(std::move(token));
        } catch (const std::bad_alloc&) {
            ReportError("Cannot create string item");
        }
        token.clear();
    };
    bool inQuotes = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!inQuotes) {
            if (std::isspace(static_cast<unsigned char>(c)))
                flush();
            else if (c == '"')
                inQuotes = true;
            else
                token.push_back(c);
        } else if (c == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
                token.push_back('"');
                ++i;
            } else {
                inQuotes = false;
            }
        } else {
            token.push_back(c);
        }
    }
    flush();
    return tokens;
}

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

StartSwitch SwitchFromName(const std::string& name) {
    const std::string n = Lower(name);
    if (n == "r" || n == "register") return StartSwitch::Register;
    if (n == "u" || n == "unregister") return StartSwitch::Unregister;
    if (n == "i" || n == "import") return StartSwitch::Import;
    if (n == "h" || n == "help") return StartSwitch::Help;
    if (n == "version") return StartSwitch::Version;
    if (n == "info") return StartSwitch::Info;
    if (n == "convert") return StartSwitch::Convert;
    if (n == "thumbnail") return StartSwitch::Thumbnail;
    return StartSwitch::Other;
}

// The switch name of a token, or false when the token is a path.
bool SwitchName(const std::string& token, const std::function<bool(const std::string&)>& exists,
                std::string& name) {
    if (token.size() >= 2 && token[0] == '-') {
        name = token.substr(token[1] == '-' ? 2 : 1);
        return true;
    }
    if (token.size() == 2 && token[0] == '/' && !exists(token)) {
        name = token.substr(1);
        return true;
    }
    return false;
}

// The options of --convert, each followed by its value.
constexpr const char* kValueOptions[] = {"compression", "sizes", "depth", "image", "hotspot"};

bool IsValueOption(const std::string& lowerName) {
    for (const char* option : kValueOptions)
        if (lowerName == option) return true;
    return false;
}

// A decimal number of digits only, within [low, high].
bool ParseNumber(const std::string& text, std::int32_t low, std::int32_t high,
                 std::int32_t& value) {
    if (text.empty() || text.size() > 9) return false;
    std::int32_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    if (number < low || number > high) return false;
    value = number;
    return true;
}

std::vector<std::string> SplitAtCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) return parts;
        start = comma + 1;
    }
}

bool ParseSizes(const std::string& text, std::vector<std::int32_t>& sizes) {
    for (const std::string& part : SplitAtCommas(text)) {
        std::int32_t size = 0;
        if (!ParseNumber(part, 1, kMaxConvertSize, size)) return false;
        if (std::find(sizes.begin(), sizes.end(), size) != sizes.end()) return false;
        sizes.push_back(size);
    }
    return true;
}

bool ParseHotspot(const std::string& text, std::optional<CursorHotspot>& hotspot) {
    const std::vector<std::string> parts = SplitAtCommas(text);
    CursorHotspot point;
    if (parts.size() != 2 || !ParseNumber(parts[0], 0, 65535, point.x) ||
        !ParseNumber(parts[1], 0, 65535, point.y))
        return false;
    hotspot = point;
    return true;
}

// The value of one option into the options; the message when it is wrong.
std::string ParseOptionValue(const std::string& option, const std::string& value,
                             ConvertOptions& options) {
    std::int32_t number = 0;
    if (option == "compression") {
        if (ParseNumber(value, 0, 2, number))
            options.compression = CompressionLevelFromNumber(number);
        return options.compression ? "" : "--compression takes 0, 1 or 2";
    }
    if (option == "sizes")
        return ParseSizes(value, options.sizes)
                   ? ""
                   : "--sizes takes different sides from 1 to " + std::to_string(kMaxConvertSize) +
                         " separated by commas, such as 16,32,48";
    if (option == "depth") {
        if (ParseNumber(value, 1, 32, number)) options.depth = TargetFormatForDepth(number);
        return options.depth ? "" : "--depth takes 32, 24, 8, 4 or 1 (bits per pixel)";
    }
    if (option == "image") {
        if (ParseNumber(value, 1, 999999, number)) options.image = number;
        return options.image ? "" : "--image takes an image number, counted from 1";
    }
    return ParseHotspot(value, options.hotspot)
               ? ""
               : "--hotspot takes X,Y in pixels from the top-left corner, such as 0,0";
}

struct GivenOption {
    std::string name; // lower case
    std::optional<std::string> value;
};

bool IsHeadless(StartSwitch which) {
    return which == StartSwitch::Info || which == StartSwitch::Convert ||
           which == StartSwitch::Thumbnail;
}

void CheckHeadlessArguments(CommandLine& line, const std::vector<std::string>& paths,
                            const std::vector<GivenOption>& options,
                            const std::vector<std::string>& laterSwitches) {
    const StartSwitch which = line.startSwitch;
    if (which == StartSwitch::Info && paths.empty()) line.error = "--info needs a FILE";
    if (which == StartSwitch::Thumbnail) {
        if (paths.size() < 2) {
            line.error = "--thumbnail needs an input file and an output PNG file";
            return;
        }
        line.outputPath = paths[1];
        if (paths.size() > 2 && !ParseNumber(paths[2], 1, kMaxThumbnailSize, line.thumbnailSize))
            line.error =
                "--thumbnail SIZE must be a number from 1 to " + std::to_string(kMaxThumbnailSize);
    }
    if (which == StartSwitch::Convert) {
        if (paths.size() < 2) {
            line.error = "--convert needs an input and an output file";
            return;
        }
        line.outputPath = paths[1];
    }
    // A script's misspelt option or forgotten option name must not pass
    // unnoticed.
    const std::size_t pathsTaken = which == StartSwitch::Info      ? 1
                                   : which == StartSwitch::Convert ? 2
                                                                   : 3;
    if (line.error.empty() && IsHeadless(which) && !laterSwitches.empty())
        line.error = laterSwitches.front() + " is no option of --" + Lower(line.switchText);
    if (line.error.empty() && IsHeadless(which) && paths.size() > pathsTaken)
        line.error = "--" + Lower(line.switchText) + " does not know what to do with \"" +
                     paths[pathsTaken] + "\"";
    for (const GivenOption& option : options) {
        if (!line.error.empty()) return;
        if (which != StartSwitch::Convert) {
            // Without a window the mistake can be told; a windowed start
            // ignores what it does not use.
            if (IsHeadless(which)) line.error = "--" + option.name + " goes with --convert";
            continue;
        }
        line.error = option.value ? ParseOptionValue(option.name, *option.value, line.convert)
                                  : "--" + option.name + " needs a value";
    }
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& tokens,
                             const std::function<bool(const std::string&)>& pathExists) {
    CommandLine line;
    bool haveSwitch = false, havePath = false;
    std::vector<std::string> paths;
    std::vector<GivenOption> options;
    std::vector<std::string> laterSwitches;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        std::string name;
        if (!SwitchName(token, pathExists, name)) {
            paths.push_back(token);
            if (!havePath) {
                line.path = token;
                havePath = true;
            }
            continue;
        }
        const std::size_t equals = name.find('=');
        const std::string optionName = Lower(name.substr(0, equals));
        if (token[0] == '-' && IsValueOption(optionName)) {
            // "--sizes=16,32" or "--sizes 16,32": the next token is the
            // value, never a path.
            GivenOption option{optionName, std::nullopt};
            if (equals != std::string::npos)
                option.value = name.substr(equals + 1);
            else if (i + 1 < tokens.size())
                option.value = tokens[++i];
            options.push_back(std::move(option));
        } else if (!haveSwitch) {
            line.switchText = name;
            line.startSwitch = SwitchFromName(name);
            haveSwitch = true;
        } else {
            laterSwitches.push_back(token);
        }
    }
    CheckHeadlessArguments(line, paths, options, laterSwitches);
    return line;
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

const char* UsageText() {
    return "Usage: korvane [OPTION] [FILE]\n"
           "Edit icons, cursors and other small images.\n"
           "\n"
           "  FILE                 open FILE as a project (a picture is imported)\n"
           "  -i, --import FILE    import FILE into a new project\n"
           "  -r, --register       register Korvane, its file types, the picture types it\n"
           "                       opens and its thumbnailer with the desktop, then exit\n"
           "  -u, --unregister     remove those registrations, then exit\n"
           "  -h, --help           show this help and exit\n"
           "      --version        show the version and exit\n"
           "      --info FILE      describe FILE, then exit: a project's images and layers,\n"
           "                       an icon's or cursor's entries with sizes, depths, hotspots\n"
           "      --thumbnail IN OUT.png [SIZE]\n"
           "                       write IN's preview as a PNG of at most SIZE x SIZE pixels\n"
           "                       (1 to 1024, default 256), then exit\n"
           "      --convert IN OUT [OPTIONS]\n"
           "                       write IN as OUT, then exit; the extensions say the types\n"
           "                       (.kvp projects; .ico, .cur, .png, .bmp and what other\n"
           "                       plug-ins read and write). A project gives its images\n"
           "                       marked for export, an icon one image per entry.\n"
           "  --compression 0|1|2  for a project written: 0 stores raw pixels, 1 compresses\n"
           "                       fast, 2 smallest\n"
           "  --image N            use only image N of IN, counted from 1 (as --info lists\n"
           "                       them); needed when a file type that holds one image\n"
           "                       (.png, .bmp) is written from several\n"
           "  --sizes 16,32,...    make one square image of each size (1 to 1024) from one\n"
           "                       picture; OUT ending in / receives them as\n"
           "                       OUT/<size>x<size>/apps/<IN's name>.png\n"
           "  --depth 32|24|8|4|1  bits per pixel of the images written; palettes are made\n"
           "                       from the pictures' own colors\n"
           "  --hotspot X,Y        the hotspot of a .cur written, in pixels from the top-left\n"
           "                       corner; it must lie inside every image\n"
           "\n"
           "Only the first option and the first FILE count (--convert and --thumbnail take\n"
           "more). /r, /u and /i are accepted for -r, -u and -i when no file of that name\n"
           "exists. Exit status: 0 on success, 1 when a command failed or its arguments\n"
           "were wrong (the reason goes to standard error).\n";
}

} // namespace kv
