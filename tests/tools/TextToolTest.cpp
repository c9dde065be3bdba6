// The Text Tool with a renderer of block letters: the renderer's sizes,
// memory bound and masks, placement on the layer's grid, and the imprint.
#include "tools/text/TextTool.h"
#include "ToolTestSupport.h"
#include "tools/framework/ToolSettings.h"
#include "tools/text/TextRenderer.h"

#include <gtest/gtest.h>

namespace kv {
namespace {
using namespace test;

// Every character but a space is a block half the height wide with a blank
// column after it; an italic's last block leans two pixels past its advance.
class BlockLetters final : public TextRenderer {
  public:
    static std::int32_t Advance(const TextFont& font) { return std::max(2, font.height / 2); }

  protected:
    bool measure(const std::string& text, const TextFont& font, TextExtent& extent) override {
        extent.width = static_cast<std::int32_t>(text.size()) * Advance(font);
        extent.height = font.height;
        extent.trailingBearing = font.italic() ? -2 : 1;
        return true;
    }
    bool draw(const std::string& text, const TextFont& font, PixelArray& surface) override {
        const std::int32_t a = Advance(font);
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == ' ') continue;
            const std::int32_t x = static_cast<std::int32_t>(i) * a;
            const bool last = i + 1 == text.size() && font.italic();
            surface.fillRect({x, 0, x + a - 1 + (last ? 2 : 0), font.height}, 0xFFFFFFFFu);
        }
        return true;
    }
};

// Installs the block letters for one test.
struct WithBlockLetters {
    WithBlockLetters() {
        SetTextRendererFactory([] { return std::make_unique<BlockLetters>(); });
    }
    ~WithBlockLetters() { SetTextRendererFactory({}); }
};

TEST(TextRenderer, SizesMasksAndTheOverhang) {
    BlockLetters renderer;
    renderer.setFont({"Any", FontStyle::Regular, 10});
    renderer.render("AB");
    EXPECT_EQ(renderer.width(), 10);
    EXPECT_EQ(renderer.mask(3).width(), 16); // rounded up to multiples of 8
    EXPECT_EQ(renderer.mask(3).height(), 16);
    EXPECT_EQ(renderer.mask(0).width(), 2);
    EXPECT_EQ(MaskPattern(renderer.mask(3), {0, 0, 12, 1}), "####.####...");
    EXPECT_EQ(renderer.mask(3).get(3, 10), 0);
    // 2 x 2 reduction of the level above, as the selection's levels.
    EXPECT_EQ(renderer.mask(2).get(2, 0), (0 + 255 + 0 + 255 + 2) >> 2);

    renderer.setFont({"Any", FontStyle::BoldItalic, 10});
    renderer.render("AB");
    EXPECT_EQ(renderer.width(), 12);
    EXPECT_EQ(MaskPattern(renderer.mask(3), {0, 0, 13, 1}), "####.######..");
}

TEST(TextRenderer, TheMemoryBoundCutsTheWidth) {
    EXPECT_EQ(TextRenderer::MaxWidthFor(1u << 20, 100), 1968);
    // 1048576 / (5.328125 x 9) = 21866.7: rounded, not cut down.
    EXPECT_EQ(TextRenderer::MaxWidthFor(1u << 20, 9), 21867);
    BlockLetters renderer;
    renderer.setMemoryLimit(1u << 20);
    renderer.setFont({"Any", FontStyle::Regular, 100});
    renderer.render(std::string(60, 'W')); // 3000 pixels wide
    EXPECT_EQ(renderer.width(), 1968);
    EXPECT_EQ(renderer.mask(3).width(), 1968);
    // 1968 = 39 blocks of 50 and 18 columns of the fortieth.
    EXPECT_EQ(renderer.mask(3).get(1967, 50), 255);
}

TEST(TextTool, IsCentredOnThePointerOnTheLayersGrid) {
    WithBlockLetters letters;
    ToolBench plain(64, 64), detail(8, 8, kWhite, true);
    for (ToolBench* bench : {&plain, &detail}) {
        bench->set(kTextFontSizeSetting, 20);
        auto& tool = static_cast<TextTool&>(bench->use(ToolId::Text));
        tool.setText("A");
        const std::int32_t u = bench == &plain ? 256 : 32;
        const Rect r = tool.placement({5000, 3000});
        // Twenty layer pixels high: 20 image pixels, or 2.5 on the 8x level.
        EXPECT_EQ(r.height(), 20 * u);
        EXPECT_EQ(r.left % u + r.top % u, 0);
        EXPECT_LE(std::abs((r.left + r.right) / 2 - 5000), u);
        EXPECT_LE(std::abs((r.top + r.bottom) / 2 - 3000), u);
    }
}

TEST(TextTool, AClickImprintsTheTextWhereItWasPressed) {
    WithBlockLetters letters;
    ToolBench bench(20, 12);
    bench.set(kTextFontSizeSetting, 4);
    bench.setColor(kSecondaryColorSetting, kRed);
    auto& tool = static_cast<TextTool&>(bench.use(ToolId::Text));
    tool.setText("AB");
    bench.press(At(5, 5), MouseButton::Right);
    bench.move(At(15, 9)); // the text stays where it was pressed
    bench.release(MouseButton::Right);
    // 4 x 4 text centred on the centre of pixel (5, 5), on the pixel grid:
    // columns and rows 4..7, the blocks in columns 4 and 6.
    EXPECT_EQ(ChangedPattern(bench.pixels(), {2, 2, 8, 8}, kWhite),
              "....../....../..#.#./..#.#./..#.#./..#.#.");
    EXPECT_EQ(bench.pixels().get(4, 4), kRed);
    EXPECT_EQ(bench.history().count(), 1);
}

} // namespace
} // namespace kv
