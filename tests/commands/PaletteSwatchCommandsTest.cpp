#include "CommandTestSupport.h"

#include "commands/swatches/SwatchCommands.h"
#include "commands/swatches/SwatchSets.h"

namespace kv::test {
namespace {

class PaletteSwatchCommandsTest : public CommandTest {
  protected:
    SwatchList& swatches = SwatchList::instance();
    SwatchCommands commands{host, swatches};
    ~PaletteSwatchCommandsTest() override { swatches.clear(); }
};

TEST_F(PaletteSwatchCommandsTest, NewSetsAndAddingTheDrawingColours) {
    ASSERT_TRUE(commands.newSet(SwatchSetKind::WebSafe));
    EXPECT_EQ(swatches.colors().size(), 216u);
    ASSERT_TRUE(commands.newSet(SwatchSetKind::Empty));
    EXPECT_TRUE(swatches.colors().empty());
    Settings().colorSetting("Drawing.Colors.Primary").setValue(0xFF102030);
    ASSERT_TRUE(commands.addPrimaryColor());
    ASSERT_TRUE(commands.addSecondaryColor());
    EXPECT_EQ(swatches.colors(), (std::vector<Color32>{0xFF102030, 0x00000000}));
    EXPECT_EQ(host.refreshes[RefreshScope::Swatches], 4);
}

TEST_F(PaletteSwatchCommandsTest, DialogsOfferThePalettesAfterOurOwnType) {
    host.files = {std::nullopt, std::nullopt};
    EXPECT_FALSE(commands.load());
    EXPECT_FALSE(commands.save());
    for (const FileDialogRequest& request : host.fileRequests) {
        ASSERT_EQ(request.filters.size(), 4u) << request.title;
        EXPECT_EQ(request.filters[1].patterns, std::vector<std::string>{"*.gpl"});
    }
    EXPECT_EQ(host.fileRequests[1].defaultExtension, "kvcolors");
}

TEST_F(PaletteSwatchCommandsTest, AFailedLoadReportsTheFileAndKeepsTheSwatches) {
    const std::vector<Color32> before = {0xFF010203, 0x80040506};
    swatches.replace(before);
    TempXdgHome::writeFile(dir.file("short.pal"), "JASC-PAL\r\n0100\r\n3\r\n1 2 3\r\n4 5 6\r\n");
    TempXdgHome::writeFile(dir.file("bad.gpl"), "GIMP Palette\n1 2 3\n4 5 256\n");
    TempXdgHome::writeFile(dir.file("pal.gpl"), "JASC-PAL\r\n0100\r\n1\r\n1 2 3\r\n");
    TempXdgHome::writeFile(dir.file("bad.kvcolors"), "KORVANE.COLORS { VERSION \"2.0\"; }");
    host.files = {choose("short.pal"), choose("bad.gpl"), choose("pal.gpl"),
                  choose("bad.kvcolors")};
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(commands.load());
    ASSERT_EQ(host.errors.size(), 4u);
    EXPECT_EQ(host.errors[0],
              dir.file("short.pal") + ": Invalid data: the palette announces 3 colors but holds 2");
    EXPECT_EQ(swatches.colors(), before);
    EXPECT_EQ(host.refreshes[RefreshScope::Swatches], 0);
}

TEST_F(PaletteSwatchCommandsTest, SaveTakesTheChosenTypesExtensionForABareName) {
    swatches.replace(DefaultSwatchSet());
    // The GIMP filter with a bare name; then a typed extension, which wins over the filter.
    // Loading chooses the reader by extension, so each file must be of its type.
    host.files = {choose("mine", 1), choose("other.PAL", 0), choose("plain", 3)};
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(commands.save());
    swatches.clear();
    host.files = {choose("mine.gpl"), choose("other.PAL"), choose("plain.kvcolors")};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(commands.load());
        EXPECT_EQ(swatches.colors(), DefaultSwatchSet());
        swatches.clear();
    }
    EXPECT_EQ(Settings().textValue("Swatches.File.Path"), dir.home() + "/");
}

} // namespace
} // namespace kv::test
