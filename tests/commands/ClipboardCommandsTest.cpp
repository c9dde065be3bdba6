#include "CommandTestSupport.h"

#include "commands/edit/ClipboardCommands.h"
#include "commands/edit/EditCommands.h"
#include "commands/image/LayerCommands.h"

namespace kv::test {
namespace {

constexpr Color32 kHalfRed = MakeColor32(255, 0, 0, 128);

class ClipboardCommandsTest : public CommandTest {
  protected:
    ClipboardCommandsTest() { openProject(MakeProject(2, 8, 6)); }

    // A w x h picture of one colour offered by another program.
    void offerPicture(std::int32_t w, std::int32_t h, Color32 color) {
        host.held.reset();
        host.external = [=] {
            ClipboardData data;
            data.picture.emplace();
            data.picture->pixels.setSize(w, h);
            data.picture->pixels.fill(color);
            return data;
        };
    }
    ClipboardCommands commands{host, formats};
    EditCommands edit{host};
};

TEST_F(ClipboardCommandsTest, CopyTakesTheChannelsOfTheViewMode) {
    CurrentLayer(image()).pixels().fill(kHalfRed);
    image().update();
    SelectRect(image(), {1, 1, 4, 3});
    struct Case {
        ChannelMode mode;
        int bits;
        std::vector<std::uint8_t> firstPixel;
    } cases[] = {
        {ChannelMode::Normal, 32, {0, 0, 255, 128}},
        // Colour only: the full colour of a half-transparent pixel.
        {ChannelMode::ColorOnly, 24, {0, 0, 255}},
        {ChannelMode::AlphaOnly, 8, {128}},
    };
    for (const Case& c : cases) {
        host.mode = c.mode;
        ASSERT_TRUE(commands.copy());
        ASSERT_TRUE(host.held);
        EXPECT_EQ(host.held->bitsPerPixel, c.bits);
        EXPECT_EQ(host.held->width, 3);
        const std::vector<std::uint8_t> first(host.held->bytes.begin(),
                                              host.held->bytes.begin() + c.bits / 8);
        EXPECT_EQ(first, c.firstPixel);
    }
}

TEST_F(ClipboardCommandsTest, CopyMergedTakesTheCompositeAndCutErases) {
    image().insertLayer(std::make_unique<Layer>())->pixels().fillRect({0, 0, 8, 6}, 0xFF00FF00);
    image().update();
    image().setCurrentLayer(image().bottomLayer());
    SelectRect(image(), {0, 0, 2, 2});
    ASSERT_TRUE(commands.copyMerged());
    EXPECT_EQ(host.held->bytes[1], 255) << "green from the top layer";
    ASSERT_TRUE(commands.cut());
    EXPECT_EQ(host.held->bytes[1], 20) << "the current layer's own green";
    EXPECT_EQ(image().bottomLayer()->pixels().get(0, 0), 0u);
    EXPECT_EQ(UndoLabel(image()), "Cut");
    host.clipboardRefuses = true;
    EXPECT_FALSE(commands.cut()) << "nothing is erased when the copy failed";
    EXPECT_EQ(ManagerOf(image()).count(), 1);
}

TEST_F(ClipboardCommandsTest, PasteAsANewLayerCentredOnTheViewAndUndone) {
    offerPicture(3, 2, kHalfRed);
    SelectRect(image(), {0, 0, 1, 1});
    const ImageState before = StateOf(image());
    host.centre = {4 * 256, 3 * 256};
    ASSERT_TRUE(commands.paste());
    ASSERT_EQ(image().layerCount(), 2);
    const LayerBase& pasted = *image().currentLayer();
    EXPECT_EQ(&pasted, image().topLayer());
    // Three pixels centred on x = 4 start at 2.5, drawn from 2 or 3.
    EXPECT_EQ(pasted.pixels().get(3, 2), kHalfRed);
    EXPECT_EQ(pasted.pixels().get(1, 2), 0u);
    EXPECT_EQ(pasted.pixels().get(3, 4), 0u);
    ASSERT_TRUE(edit.undo());
    EXPECT_EQ(image().layerCount(), 1);
    EXPECT_EQ(Difference(before, StateOf(image())), "") << "the selection comes back too";
}

TEST_F(ClipboardCommandsTest, PasteIntoTheLayerKeepsTheCentredPartThatFits) {
    offerPicture(12, 4, MakeColor32(10, 20, 30, 255));
    host.mode = ChannelMode::ColorOnly;
    CurrentLayer(image()).pixels().fill(kHalfRed);
    image().update();
    SelectRect(image(), {0, 0, 2, 2});
    const ImageState before = StateOf(image());
    ASSERT_TRUE(commands.paste());
    EXPECT_EQ(image().layerCount(), 1);
    const PixelArray& pixels = image().currentLayer()->pixels();
    // x = (8 - 12) / 2 = -2: all columns; y = (6 - 4) / 2 = 1: rows 1 to 4.
    EXPECT_EQ(pixels.get(0, 1), MakeColor32(10, 20, 30, 128)) << "colour written, alpha kept";
    EXPECT_EQ(pixels.get(7, 4), MakeColor32(10, 20, 30, 128));
    EXPECT_EQ(pixels.get(0, 5), kHalfRed);
    EXPECT_FALSE(image().selection()->active()) << "the selection goes with the paste";
    ASSERT_TRUE(edit.undo());
    EXPECT_EQ(Difference(before, StateOf(image())), "");
}

TEST_F(ClipboardCommandsTest, AFileOnTheClipboardIsImportedAndPasted) {
    formats.makeImport = [] { return MakeProject(1, 2, 2); };
    host.external = [] { return ClipboardData{std::nullopt, "/pictures/a.png"}; };
    host.centre = {256, 256};
    ASSERT_TRUE(commands.paste());
    EXPECT_EQ(formats.imported, std::vector<std::string>{"/pictures/a.png"});
    EXPECT_EQ(image().currentLayer()->pixels().get(0, 0), MakeColor32(0, 20, 30, 255));

    formats.makeImport = nullptr;
    formats.failureMessage = "Unknown file type";
    EXPECT_FALSE(commands.paste());
    host.external = [] { return ClipboardData{}; };
    EXPECT_FALSE(commands.paste());
    EXPECT_EQ(host.errors, (std::vector<std::string>{"Unknown file type", kNothingToPaste}));
    EXPECT_EQ(ManagerOf(image()).count(), 1);
}

} // namespace
} // namespace kv::test
