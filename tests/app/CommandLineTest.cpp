#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <set>

namespace kv {
namespace {

using Tokens = std::vector<std::string>;

bool None(const std::string&) {
    return false;
}

TEST(SplitCommandLine, QuoteAndWhiteSpaceRules) {
    const std::pair<std::string, Tokens> cases[] = {
        {"", {}},
        {"   \t\n ", {}},
        {"a b\tc", {"a", "b", "c"}},
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
        {{"/U"}, StartSwitch::Unregister, ""},
        {{"-i", "-r", "pic.png"}, StartSwitch::Import, "pic.png"},
        {{"--import", "pic.png"}, StartSwitch::Import, "pic.png"},
        {{"--help"}, StartSwitch::Help, ""},
        {{"--version"}, StartSwitch::Version, ""},
        // An existing file named like a switch is a path.
        {{"/k"}, StartSwitch::None, "/k"},
        {{"/K"}, StartSwitch::Other, ""},
        {{"/data/icon.kvp", "-r"}, StartSwitch::Register, "/data/icon.kvp"},
    };
    for (const ParseCase& c : cases) {
        const CommandLine line = ParseCommandLine(c.tokens, exists);
        SCOPED_TRACE(::testing::PrintToString(c.tokens));
        EXPECT_EQ(line.startSwitch, c.expectedSwitch);
        EXPECT_EQ(line.path, c.expectedPath);
    }
}

TEST(ParseCommandLine, KeepsTheSwitchTextWithoutDashes) {
    EXPECT_EQ(ParseCommandLine({"--Import"}, None).switchText, "Import");
    EXPECT_EQ(ParseCommandLine({"/X"}, None).switchText, "X");
}

TEST(ParseCommandLine, HeadlessProjectCommands) {
    struct Case {
        Tokens tokens;
        StartSwitch expectedSwitch;
        std::string in, out;
        int compression;
        bool error;
    };
    constexpr StartSwitch I = StartSwitch::Info, C = StartSwitch::Convert;
    const Case cases[] = {
        {{"--info", "a.kvp"}, I, "a.kvp", "", -1, false},
        {{"a.kvp", "--INFO"}, I, "a.kvp", "", -1, false},
        {{"--info"}, I, "", "", -1, true},
        {{"--convert", "in", "out"}, C, "in", "out", -1, false},
        {{"--convert", "in", "out", "--compression", "2"}, C, "in", "out", 2, false},
        // The value is never taken for a path.
        {{"--compression", "0", "--convert", "in", "out"}, C, "in", "out", 0, false},
        {{"--convert", "in", "--compression", "1", "out"}, C, "in", "out", 1, false},
        {{"--convert", "in", "out", "--compression", "3"}, C, "in", "out", -1, true},
        {{"--convert", "in", "out", "--compression"}, C, "in", "out", -1, true},
        {{"--convert", "in"}, C, "in", "", -1, true},
        // Other switches keep ignoring a second path.
        {{"-i", "a.png", "b.png"}, StartSwitch::Import, "a.png", "", -1, false},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.tokens, None);
        SCOPED_TRACE(::testing::PrintToString(c.tokens));
        EXPECT_EQ(line.startSwitch, c.expectedSwitch);
        EXPECT_EQ(line.path, c.in);
        EXPECT_EQ(line.outputPath, c.out);
        EXPECT_EQ(line.convert.compression ? static_cast<int>(*line.convert.compression) : -1,
                  c.compression);
        EXPECT_EQ(!line.error.empty(), c.error);
    }
}

// The options of --convert: what each value becomes, and which values are
// refused with a message.
TEST(ParseCommandLine, ConvertOptionValues) {
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
        {{"--sizes", "1024"}, false, {1024}, 0, 0, -1, -1},
        {{"--SIZES", "48,16"}, false, {48, 16}, 0, 0, -1, -1},
        {{"--sizes", "1025"}, true, {}, 0, 0, -1, -1},
        {{"--sizes", "0,16"}, true, {}, 0, 0, -1, -1},
        {{"--sizes", "16,,32"}, true, {}, 0, 0, -1, -1},
        {{"--sizes", "16,16"}, true, {}, 0, 0, -1, -1},
        {{"--sizes", "99999999999"}, true, {}, 0, 0, -1, -1},
        {{"--sizes"}, true, {}, 0, 0, -1, -1},
        {{"--sizes=16,32"}, false, {16, 32}, 0, 0, -1, -1},
        {{"--sizes="}, true, {}, 0, 0, -1, -1},
        {{"--size", "16"}, true, {}, 0, 0, -1, -1}, // misspelt: an error, not ignored
        {{"16,32"}, true, {}, 0, 0, -1, -1},        // the option name forgotten
        {{"--depth", "32"}, false, {}, 32, 0, -1, -1},
        {{"--depth", "16"}, true, {}, 0, 0, -1, -1},
        {{"--depth", "+8"}, true, {}, 0, 0, -1, -1},
        {{"--image", "0"}, true, {}, 0, 0, -1, -1},
        {{"--hotspot", "5,31"}, false, {}, 0, 0, 5, 31},
        {{"--hotspot", "5"}, true, {}, 0, 0, -1, -1},
        {{"--hotspot", "-1,2"}, true, {}, 0, 0, -1, -1},
        {{"--hotspot", "65536,0"}, true, {}, 0, 0, -1, -1},
        // Everything at once, the values never taken for paths.
        {{"--image", "2", "--sizes", "16", "--hotspot", "1,2"}, false, {16}, 0, 2, 1, 2},
    };
    for (const Case& c : cases) {
        Tokens tokens = {"--convert", "in.png", "out.ico"};
        tokens.insert(tokens.end(), c.options.begin(), c.options.end());
        SCOPED_TRACE(::testing::PrintToString(tokens));
        const CommandLine line = ParseCommandLine(tokens, None);
        EXPECT_EQ(line.startSwitch, StartSwitch::Convert);
        EXPECT_EQ(!line.error.empty(), c.error) << line.error;
        EXPECT_EQ(line.path, "in.png");
        EXPECT_EQ(line.outputPath, "out.ico");
        if (c.error) continue;
        EXPECT_EQ(line.convert.sizes, c.sizes);
        const std::optional<TargetFormat> depth =
            c.depthBits ? TargetFormatForDepth(c.depthBits) : std::nullopt;
        EXPECT_EQ(line.convert.depth, depth);
        EXPECT_EQ(line.convert.image.value_or(0), c.image);
        EXPECT_EQ(line.convert.hotspot ? line.convert.hotspot->x : -1, c.hotspotX);
        EXPECT_EQ(line.convert.hotspot ? line.convert.hotspot->y : -1, c.hotspotY);
    }
}

TEST(ParseCommandLine, ThumbnailAndMisplacedOptions) {
    struct Case {
        Tokens tokens;
        StartSwitch expectedSwitch;
        std::string out;
        int size;
        bool error;
    };
    constexpr StartSwitch T = StartSwitch::Thumbnail, I = StartSwitch::Info;
    const Case cases[] = {
        {{"--thumbnail", "a.kvp", "a.png"}, T, "a.png", 256, false},
        {{"--thumbnail", "a.kvp", "a.png", "1024"}, T, "a.png", 1024, false},
        {{"--thumbnail", "a.kvp", "a.png", "1025"}, T, "a.png", 256, true},
        {{"--thumbnail", "a.kvp", "a.png", "0"}, T, "a.png", 256, true},
        {{"--thumbnail", "a.kvp"}, T, "", 256, true},
        // Options of --convert are refused beside the other headless switches...
        {{"--thumbnail", "a.kvp", "a.png", "--sizes", "16"}, T, "a.png", 256, true},
        {{"--info", "a.ico", "--image", "2"}, I, "", 256, true},
        // Other switches beside a headless one are mistakes, not ignored.
        {{"--thumbnail", "a.kvp", "a.png", "--size", "16"}, T, "a.png", 16, true},
        {{"--info", "a.kvp", "-r"}, I, "", 256, true},
        {{"--info", "a.kvp", "b.kvp"}, I, "", 256, true},
        {{"--thumbnail", "a.kvp", "a.png", "64", "x"}, T, "a.png", 64, true},
        // ...and ignored by a windowed start, which still takes no value for a path.
        {{"--sizes", "16", "a.kvp"}, StartSwitch::None, "", 256, false},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.tokens, None);
        SCOPED_TRACE(::testing::PrintToString(c.tokens));
        EXPECT_EQ(line.startSwitch, c.expectedSwitch);
        EXPECT_EQ(line.outputPath, c.out);
        EXPECT_EQ(line.thumbnailSize, c.size);
        EXPECT_EQ(!line.error.empty(), c.error) << line.error;
    }
    EXPECT_EQ(ParseCommandLine({"--sizes", "16", "a.kvp"}, None).path, "a.kvp");
}

} // namespace
} // namespace kv
