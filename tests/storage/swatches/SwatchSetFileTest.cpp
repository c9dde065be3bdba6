#include "storage/swatches/SwatchSetFile.h"

#include "platform/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv::test {
namespace {

constexpr Color32 kInitial = MakeColor32(0, 0, 0, 255);

std::vector<Color32> Load(const std::string& text) {
    return LoadSwatchSetMemory(text.data(), text.size(), kInitial);
}

// The message a load fails with, or "" when it loads.
std::string LoadError(const std::string& text) {
    try {
        Load(text);
    } catch (const CKVException& e) {
        return e.message();
    }
    return {};
}

std::string Swatches(const std::string& colors) {
    return "KORVANE.COLORS { VERSION \"1.0\"; " + colors + " }";
}

TEST(SwatchSetFile, OneOpaqueSwatchIsEightLinesInTheWritersLayout) {
    const auto bytes = SwatchSetBytes({MakeColor32(1, 22, 255, 255)});
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "KORVANE.COLORS\r\n"
                                                       " {\r\n"
                                                       " VERSION \"1.0\";\r\n"
                                                       " COLOR\r\n"
                                                       "  {\r\n"
                                                       "  RGBA255 \"1,22,255\";\r\n"
                                                       "  }\r\n"
                                                       " }\r\n");
}

TEST(SwatchSetFile, ColorValuesAndVersions) {
    // No alpha is opaque, numbers above 255 are 255, a later RGBA255 wins,
    // a COLOR block without one keeps the initial colour.
    EXPECT_EQ(Load(Swatches("COLOR { RGBA255 \"9,8,7\"; } COLOR { RGBA255 \"9,8,7:255\"; }")),
              (std::vector<Color32>{MakeColor32(9, 8, 7, 255), MakeColor32(9, 8, 7, 255)}));
    EXPECT_EQ(Load(Swatches("COLOR { RGBA255 \"300,1,2:999\"; RGBA255 \"300,1,2:7\"; }")),
              std::vector<Color32>{MakeColor32(255, 1, 2, 7)});
    EXPECT_EQ(Load(Swatches("color { }")), std::vector<Color32>{kInitial});
    // Keywords compare without case; the version's number is read from its start.
    EXPECT_EQ(LoadError("korvane.colors { version \"1.9\"; }"), "");
    EXPECT_EQ(LoadError("KORVANE.COLORS { VERSION \"2.0\"; }"), "Unsupported format");
    EXPECT_EQ(LoadError("KORVANE.COLORS { COLOR { } }"), "Unsupported format");
}

TEST(SwatchSetFile, UnknownStatementsAndBlocksAreSkippedAnywhere) {
    const std::string text = "Before \"x\"; Outer { Deep { A \"\"\"\"; } }\n"
                             "KORVANE.COLORS\t{ VERSION \"1\"; Note \"a;b{\";\n"
                             "  Extra { COLOR { RGBA255 \"1,1,1\"; } }\n"
                             "  COLOR { Name \"red\"; Shade { X \"1\"; } RGBA255 \"4,5,6:7\"; }\n"
                             "}\x01 trailing";
    // The first keyword decides: anything before it is not a swatch file.
    EXPECT_EQ(LoadError(text), "Unknown file format");
    EXPECT_EQ(Load(text.substr(text.find("KORVANE"))),
              std::vector<Color32>{MakeColor32(4, 5, 6, 7)});
}

TEST(SwatchSetFile, DamagedFilesFailWithTheirMessage) {
    const std::string k63(63, 'K'), v63(63, 'v');
    struct Case {
        std::string text;
        const char* message;
    } const cases[] = {
        {"", "Unknown file format"},
        {Swatches(k63 + " \"x\";"), ""},
        {Swatches(k63 + "K \"x\";"), "Keyword is too long"},
        {Swatches("A \"" + v63 + "\";"), ""},
        {Swatches("A \"" + v63 + "v\";"), "Value is too long"},
        {Swatches("COLOR { RGBA255 \"1,2\"; }"), "Invalid data"},
        {"KORVANE.COLORS { VERSION \"1\"; COLOR { RGBA255 \"1,2,3", "Invalid data"},
        {Swatches("= \"1\";"), "Invalid Data"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadError(c.text), c.message) << c.text;
}

} // namespace
} // namespace kv::test
