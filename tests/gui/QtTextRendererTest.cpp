// Real text through the platform's fonts, offscreen: drawn without
// antialiasing, the trailing overhang kept. The memory bound is the base
// renderer's, judged in tests/tools with drawn block letters.
#include "ui/text/QtTextRenderer.h"
#include "GuiTestSupport.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace kv {
namespace {

// The columns that hold any coverage, and how many bytes are covered.
struct Coverage {
    std::int32_t firstColumn = -1, lastColumn = -1;
    int covered = 0;
    bool binary = true;
};

Coverage Inspect(const MaskArray& mask) {
    Coverage c;
    for (std::int32_t y = 0; y < mask.height(); ++y)
        for (std::int32_t x = 0; x < mask.width(); ++x) {
            const std::uint8_t b = mask.get(x, y);
            c.binary = c.binary && (b == 0 || b == 255);
            if (!b) continue;
            ++c.covered;
            if (c.firstColumn < 0 || x < c.firstColumn) c.firstColumn = x;
            c.lastColumn = std::max(c.lastColumn, x);
        }
    return c;
}

TEST(QtTextRenderer, DrawsRealTextWithoutAntialiasing) {
    test::App();
    QtTextRenderer renderer;
    renderer.setFont({"DejaVu Sans", FontStyle::Regular, 20});
    renderer.render("TEXT");
    ASSERT_GT(renderer.width(), 20);
    const MaskArray& full = renderer.mask(TextRenderer::kLevels - 1);
    const Coverage plain = Inspect(full);
    EXPECT_TRUE(plain.binary);
    EXPECT_GT(plain.covered, 100);
    EXPECT_LT(plain.lastColumn, renderer.width());
}

TEST(QtTextRenderer, KeepsAnItalicsOverhang) {
    test::App();
    QtTextRenderer renderer;
    const TextFont italic{"DejaVu Sans", FontStyle::Italic, 40};
    renderer.setFont(italic);
    renderer.render("f");
    QFont font("DejaVu Sans");
    font.setPixelSize(40);
    font.setItalic(true);
    const QFontMetrics metrics(font);
    const int advance = metrics.horizontalAdvance(QStringLiteral("f"));
    ASSERT_LT(metrics.rightBearing(QLatin1Char('f')), 0) << "the font's f does not overhang";
    EXPECT_GT(renderer.width(), advance);
    const Coverage c = Inspect(renderer.mask(TextRenderer::kLevels - 1));
    EXPECT_GE(c.lastColumn, advance); // drawn past the advance, and kept
    EXPECT_LT(c.lastColumn, renderer.width());
}

} // namespace
} // namespace kv
