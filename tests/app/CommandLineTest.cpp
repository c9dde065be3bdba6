#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <set>

namespace kv {
namespace {

using Tokens = std::vector<std::string>;

TEST(SplitCommandLine, QuoteAndWhiteSpaceRules) {
    const std::pair<std::string, Tokens> cases[] = {
        {"", {}},
        {"   \t\n ", {}},
        {"a b\tc", {"a", "b", "c"}},
        {"  lead  trail  ", {"lead", "trail"}},
        {"\"My Icons/app one.kvp\"", {"My Icons/app one.kvp"}},
        {"pre\"fix mid\"post next", {"prefix midpost", "next"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"\" x \"\"", {"x"}}, // empty quotes make no token
        {"\"unterminated quote", {"unterminated quote"}},
        {"a\"\"b", {"ab"}}, // "" outside quotes opens and closes
        {"\"a\"\"\"", {"a\""}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(SplitCommandLine(text), expected) << "input: [" << text << "]";
}

struct ParseCase {
    Tokens tokens;
    StartSwitch expectedSwitch;
    std::string expectedPath;
};

TEST(ParseCommandLine, FirstSwitchAndFirstPathWin) {
    const std::set<std::string> existing = {"/k", "/data/icon.kvp"};
    auto exists = [&](const std::string& p) { return existing.count(p) > 0; };
    const ParseCase cases[] = {
        {{}, StartSwitch::None, ""},
        {{"icon.kvp"}, StartSwitch::None, "icon.kvp"},
        {{"a.kvp", "b.kvp"}, StartSwitch::None, "a.kvp"},
        {{"-R"}, StartSwitch::Register, ""},
        {{"-r"}, StartSwitch::Register, ""},
        {{"--register"}, StartSwitch::Register, ""},
        {{"/U"}, StartSwitch::Unregister, ""},
        {{"--unregister"}, StartSwitch::Unregister, ""},
        {{"-i", "-r", "pic.png"}, StartSwitch::Import, "pic.png"},
        {{"/i", "/r", "pic.png"}, StartSwitch::Import, "pic.png"},
        {{"--import", "pic.png"}, StartSwitch::Import, "pic.png"},
        {{"/x", "pic.png"}, StartSwitch::Other, "pic.png"},
        {{"-x", "pic.png"}, StartSwitch::Other, "pic.png"},
        {{"--help"}, StartSwitch::Help, ""},
        {{"--version"}, StartSwitch::Version, ""},
        // An existing file named like a switch is a path.
        {{"/k"}, StartSwitch::None, "/k"},
        {{"/K"}, StartSwitch::Other, ""},
        {{"/data/icon.kvp", "-r"}, StartSwitch::Register, "/data/icon.kvp"},
        {{"/missing/file.kvp"}, StartSwitch::None, "/missing/file.kvp"},
    };
    for (const ParseCase& c : cases) {
        const CommandLine line = ParseCommandLine(c.tokens, exists);
        std::string joined;
        for (const auto& t : c.tokens)
            joined += t + " ";
        EXPECT_EQ(line.startSwitch, c.expectedSwitch) << joined;
        EXPECT_EQ(line.path, c.expectedPath) << joined;
    }
}

TEST(ParseCommandLine, KeepsTheSwitchTextWithoutDashes) {
    auto none = [](const std::string&) { return false; };
    EXPECT_EQ(ParseCommandLine({"--Import"}, none).switchText, "Import");
    EXPECT_EQ(ParseCommandLine({"/X"}, none).switchText, "X");
}

TEST(ParseCommandLine, HeadlessProjectCommands) {
    auto none = [](const std::string&) { return false; };
    struct Case {
        Tokens tokens;
        StartSwitch expectedSwitch;
        std::string in, out;
        int compression;
        bool error;
    };
    const Case cases[] = {
        {{"--info", "a.kvp"}, StartSwitch::Info, "a.kvp", "", -1, false},
        {{"a.kvp", "--INFO"}, StartSwitch::Info, "a.kvp", "", -1, false},
        {{"--info"}, StartSwitch::Info, "", "", -1, true},
        {{"--convert", "in.kvp", "out.kvp"}, StartSwitch::Convert, "in.kvp", "out.kvp", -1, false},
        {{"--convert", "in.kvp", "out.kvp", "--compression", "2"},
         StartSwitch::Convert,
         "in.kvp",
         "out.kvp",
         2,
         false},
        // The value is never taken for a path.
        {{"--compression", "0", "--convert", "in.kvp", "out.kvp"},
         StartSwitch::Convert,
         "in.kvp",
         "out.kvp",
         0,
         false},
        {{"--convert", "in.kvp", "--compression", "1", "out.kvp"},
         StartSwitch::Convert,
         "in.kvp",
         "out.kvp",
         1,
         false},
        {{"--convert", "in.kvp", "out.kvp", "--compression", "3"},
         StartSwitch::Convert,
         "in.kvp",
         "out.kvp",
         -1,
         true},
        {{"--convert", "in.kvp", "out.kvp", "--compression"},
         StartSwitch::Convert,
         "in.kvp",
         "out.kvp",
         -1,
         true},
        {{"--convert", "in.kvp"}, StartSwitch::Convert, "in.kvp", "", -1, true},
        // Other switches keep ignoring a second path.
        {{"-i", "a.png", "b.png"}, StartSwitch::Import, "a.png", "", -1, false},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.tokens, none);
        std::string joined;
        for (const auto& t : c.tokens)
            joined += t + " ";
        EXPECT_EQ(line.startSwitch, c.expectedSwitch) << joined;
        EXPECT_EQ(line.path, c.in) << joined;
        EXPECT_EQ(line.outputPath, c.out) << joined;
        EXPECT_EQ(line.compression ? static_cast<int>(*line.compression) : -1, c.compression)
            << joined;
        EXPECT_EQ(!line.error.empty(), c.error) << joined;
    }
}

TEST(UsageText, DescribesTheHeadlessCommands) {
    const std::string usage = UsageText();
    EXPECT_NE(usage.find("--info FILE"), std::string::npos);
    EXPECT_NE(usage.find("--convert IN OUT [--compression 0|1|2]"), std::string::npos);
}

} // namespace
} // namespace kv
