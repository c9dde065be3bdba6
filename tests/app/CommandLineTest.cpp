#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <set>

namespace kv {
namespace {

using Tokens = std::vector<std::string>;

std::string Joined(const Tokens& tokens) {
    std::string joined;
    for (const auto& t : tokens)
        joined += t + " ";
    return joined;
}

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
        {{"--register"}, StartSwitch::Register, ""},
        {{"/U"}, StartSwitch::Unregister, ""},
        {{"--unregister"}, StartSwitch::Unregister, ""},
        {{"-i", "-r", "pic.png"}, StartSwitch::Import, "pic.png"},
        {{"/i", "/r", "pic.png"}, StartSwitch::Import, "pic.png"},
        {{"--import", "pic.png"}, StartSwitch::Import, "pic.png"},
        {{"/x", "pic.png"}, StartSwitch::Other, "pic.png"},
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
        const std::string joined = Joined(c.tokens);
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
        const std::string joined = Joined(c.tokens);
        EXPECT_EQ(line.startSwitch, c.expectedSwitch) << joined;
        EXPECT_EQ(line.path, c.in) << joined;
        EXPECT_EQ(line.outputPath, c.out) << joined;
        EXPECT_EQ(line.convert.compression ? static_cast<int>(*line.convert.compression) : -1,
                  c.compression)
            << joined;
        EXPECT_EQ(!line.error.empty(), c.error) << joined;
    }
}

// The options of --convert: what each value becomes, and which values are
// refused with a message.
TEST(ParseCommandLine, ConvertOptionValues) {
    auto none = [](const std::string&) { return false; };
    using Sizes = std::vector<std::int32_t>;
    struct Case {
        Tokens options;
        bool error;
        Sizes sizes;
        int depthBits;          // 0: none
        int image;              // 0: none
        int hotspotX, hotspotY; // -1: none
    };
    const Case cases[] = {
        {{}, false, {}, 0, 0, -1, -1},
        {{"--sizes", "16,24,32,48,64,256"}, false, {16, 24, 32, 48, 64, 256}, 0, 0, -1, -1},
        {{"--sizes", "1"}, false, {1}, 0, 0, -1, -1},
        {{"--sizes", "1024"}, false, {1024}, 0, 0, -1, -1},
        {{"--SIZES", "48,16"}, false, {48, 16}, 0, 0, -1, -1},
        {{"--sizes", "1025"}, true, {}, 0, 0, -1, -1},
        {{"--sizes", "0,16"}, true, {}, 0, 0, -1, -1},
        {{"--sizes", "16,,32"}, true, {}, 0, 0, -1, -1},
        {{"--sizes", "16,16"}, true, {}, 0, 0, -1, -1},
        {{"--sizes", "16x16"}, true, {}, 0, 0, -1, -1},
        {{"--sizes", "99999999999"}, true, {}, 0, 0, -1, -1},
        {{"--sizes"}, true, {}, 0, 0, -1, -1},
        {{"--sizes=16,32"}, false, {16, 32}, 0, 0, -1, -1},
        {{"--sizes="}, true, {}, 0, 0, -1, -1},
        {{"--size", "16"}, true, {}, 0, 0, -1, -1}, // misspelt: an error, not ignored
        {{"16,32"}, true, {}, 0, 0, -1, -1},        // the option name forgotten
        {{"--depth", "32"}, false, {}, 32, 0, -1, -1},
        {{"--depth", "1"}, false, {}, 1, 0, -1, -1},
        {{"--depth", "16"}, true, {}, 0, 0, -1, -1},
        {{"--depth", "2"}, true, {}, 0, 0, -1, -1},
        {{"--depth", "+8"}, true, {}, 0, 0, -1, -1},
        {{"--image", "1"}, false, {}, 0, 1, -1, -1},
        {{"--image", "0"}, true, {}, 0, 0, -1, -1},
        {{"--image", "two"}, true, {}, 0, 0, -1, -1},
        {{"--hotspot", "0,0"}, false, {}, 0, 0, 0, 0},
        {{"--hotspot", "5,31"}, false, {}, 0, 0, 5, 31},
        {{"--hotspot", "5"}, true, {}, 0, 0, -1, -1},
        {{"--hotspot", "-1,2"}, true, {}, 0, 0, -1, -1},
        {{"--hotspot", "65536,0"}, true, {}, 0, 0, -1, -1},
        // Everything at once, the values never taken for paths.
        {{"--depth", "8", "--image", "2", "--sizes", "16,32", "--hotspot", "1,2"},
         false,
         {16, 32},
         8,
         2,
         1,
         2},
    };
    for (const Case& c : cases) {
        Tokens tokens = {"--convert", "in.png", "out.ico"};
        tokens.insert(tokens.end(), c.options.begin(), c.options.end());
        const std::string joined = Joined(tokens);
        const CommandLine line = ParseCommandLine(tokens, none);
        EXPECT_EQ(line.startSwitch, StartSwitch::Convert) << joined;
        EXPECT_EQ(!line.error.empty(), c.error) << joined << " -> " << line.error;
        EXPECT_EQ(line.path, "in.png") << joined;
        EXPECT_EQ(line.outputPath, "out.ico") << joined;
        if (c.error) continue;
        EXPECT_EQ(line.convert.sizes, c.sizes) << joined;
        const std::optional<TargetFormat> depth =
            c.depthBits ? TargetFormatForDepth(c.depthBits) : std::nullopt;
        EXPECT_EQ(line.convert.depth, depth) << joined;
        EXPECT_EQ(line.convert.image.value_or(0), c.image) << joined;
        EXPECT_EQ(line.convert.hotspot ? line.convert.hotspot->x : -1, c.hotspotX) << joined;
        EXPECT_EQ(line.convert.hotspot ? line.convert.hotspot->y : -1, c.hotspotY) << joined;
    }
}

TEST(ParseCommandLine, ThumbnailAndMisplacedOptions) {
    auto none = [](const std::string&) { return false; };
    struct Case {
        Tokens tokens;
        StartSwitch expectedSwitch;
        std::string out;
        int size;
        bool error;
    };
    const Case cases[] = {
        {{"--thumbnail", "a.kvp", "a.png"}, StartSwitch::Thumbnail, "a.png", 256, false},
        {{"--thumbnail", "a.kvp", "a.png", "128"}, StartSwitch::Thumbnail, "a.png", 128, false},
        {{"--thumbnail", "a.kvp", "a.png", "1024"}, StartSwitch::Thumbnail, "a.png", 1024, false},
        {{"--thumbnail", "a.kvp", "a.png", "1025"}, StartSwitch::Thumbnail, "a.png", 256, true},
        {{"--thumbnail", "a.kvp", "a.png", "0"}, StartSwitch::Thumbnail, "a.png", 256, true},
        {{"--thumbnail", "a.kvp"}, StartSwitch::Thumbnail, "", 256, true},
        // Options of --convert are refused beside the other headless switches...
        {{"--thumbnail", "a.kvp", "a.png", "--sizes", "16"},
         StartSwitch::Thumbnail,
         "a.png",
         256,
         true},
        {{"--info", "a.ico", "--image", "2"}, StartSwitch::Info, "", 256, true},
        // Other switches beside a headless one are mistakes, not ignored.
        {{"--thumbnail", "a.kvp", "a.png", "--size", "16"},
         StartSwitch::Thumbnail,
         "a.png",
         16,
         true},
        {{"--info", "a.kvp", "-r"}, StartSwitch::Info, "", 256, true},
        {{"--info", "a.kvp", "b.kvp"}, StartSwitch::Info, "", 256, true},
        {{"--thumbnail", "a.kvp", "a.png", "64", "x"}, StartSwitch::Thumbnail, "a.png", 64, true},
        // ...and ignored by a windowed start, which still takes no value for a path.
        {{"--sizes", "16", "a.kvp"}, StartSwitch::None, "", 256, false},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.tokens, none);
        const std::string joined = Joined(c.tokens);
        EXPECT_EQ(line.startSwitch, c.expectedSwitch) << joined;
        EXPECT_EQ(line.outputPath, c.out) << joined;
        EXPECT_EQ(line.thumbnailSize, c.size) << joined;
        EXPECT_EQ(!line.error.empty(), c.error) << joined << " -> " << line.error;
    }
    EXPECT_EQ(ParseCommandLine({"--sizes", "16", "a.kvp"}, none).path, "a.kvp");
}

} // namespace
} // namespace kv
