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

void CheckHeadlessArguments(CommandLine& line, const std::vector<std::string>& paths,
                            bool compressionGiven, const std::string& compression) {
    if (line.startSwitch == StartSwitch::Info && paths.empty())
        line.error = "--info needs a project FILE";
    if (line.startSwitch != StartSwitch::Convert) return;
    if (paths.size() < 2) {
        line.error = "--convert needs an input and an output file";
        return;
    }
    line.outputPath = paths[1];
    if (!compressionGiven) return;
    if (compression.size() == 1)
        line.compression = CompressionLevelFromNumber(compression[0] - '0');
    if (!line.compression) line.error = "--compression takes 0, 1 or 2";
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& tokens,
                             const std::function<bool(const std::string&)>& pathExists) {
    CommandLine line;
    bool haveSwitch = false, havePath = false;
    std::vector<std::string> paths;
    std::string compression;
    bool compressionGiven = false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        std::string name;
        if (!SwitchName(token, pathExists, name)) {
            paths.push_back(token);
            if (!havePath) {
                line.path = token;
                havePath = true;
            }
        } else if (token[0] == '-' && Lower(name) == "compression") {
            // Takes the next token as its value, never as a path.
            compressionGiven = true;
            if (i + 1 < tokens.size()) compression = tokens[++i];
        } else if (!haveSwitch) {
            line.switchText = name;
            line.startSwitch = SwitchFromName(name);
            haveSwitch = true;
        }
    }
    CheckHeadlessArguments(line, paths, compressionGiven, compression);
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
           "  FILE                 open FILE as a project\n"
           "  -i, --import FILE    import FILE into a new project\n"
           "  -r, --register       register Korvane and its file types with the desktop, then "
           "exit\n"
           "  -u, --unregister     remove those registrations, then exit\n"
           "  -h, --help           show this help and exit\n"
           "      --version        show the version and exit\n"
           "      --info FILE      list the images and layers of the project FILE, then exit\n"
           "      --convert IN OUT [--compression 0|1|2]\n"
           "                       load the project IN and save it as OUT, then exit;\n"
           "                       0 stores raw pixels, 1 compresses fast, 2 smallest\n"
           "\n"
           "Only the first option and the first FILE count (--convert takes two). /r, /u and /i "
           "are accepted\n"
           "for -r, -u and -i when no file of that name exists.\n";
}

} // namespace kv
