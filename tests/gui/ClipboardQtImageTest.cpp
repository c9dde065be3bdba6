#include "GuiTestSupport.h"

#include "commands/BuiltInFormats.h"
#include "commands/ClipboardCommands.h"
#include "editing/ActionTestSupport.h"
#include "model/Project.h"
#include "settings/Settings.h"
#include "support/CapturingReporter.h"
#include "ui/ClipboardExchange.h"
#include "ui/QtCommandHost.h"

#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPixmap>

#include <gtest/gtest.h>

namespace kv::test {
namespace {

// Pictures another Qt program hands to QClipboard::setImage or setPixmap:
// within one process they are offered as the image object itself.
class ClipboardQtImageTest : public ::testing::Test {
  protected:
    ClipboardQtImageTest() {
        CreateSettings();
        auto project = std::make_unique<Project>();
        project->addImage(MakeImage(8, 8, 0));
        project->setCurrentImage(project->firstImage());
        SetCurrentProject(std::move(project));
        CommitSnapshots(image());
        clipboard()->clear();
    }
    ~ClipboardQtImageTest() override {
        clipboard()->clear();
        SetCurrentProject(nullptr);
        DestroySettings();
    }
    static QClipboard* clipboard() { return QGuiApplication::clipboard(); }
    static Image& image() { return *CurrentProject()->currentImage(); }
    // The pasted layer's pixels, from the top-left corner of where the
    // picture landed (centred in the 8 x 8 image).
    static Color32 pasted(const QSize& size, int x, int y) {
        const PixelArray& pixels = image().currentLayer()->pixels();
        return pixels.get((8 - size.width()) / 2 + x, (8 - size.height()) / 2 + y);
    }

    KorvaneApplication& app = App();
    CapturingReporter reporter;
    ClipboardExchange exchange;
    QtCommandHost host{nullptr, exchange};
    BuiltInFormats formats;
    ClipboardCommands commands{host, formats};
};

TEST_F(ClipboardQtImageTest, PastesAnImageSetWithSetImageKeepingItsAlpha) {
    QImage picture(4, 2, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    const QRgb colors[] = {qRgba(255, 0, 0, 255), qRgba(10, 200, 30, 100), qRgba(1, 2, 3, 1),
                           qRgba(0, 0, 255, 254)};
    for (int x = 0; x < 4; ++x)
        picture.setPixel(x, 0, colors[x]);

    std::vector<bool> signalled;
    QObject listener;
    QObject::connect(&exchange, &ClipboardExchange::pasteAvailabilityChanged, &listener,
                     [&](bool available) { signalled.push_back(available); });
    clipboard()->setImage(picture);
    ASSERT_NE(clipboard()->mimeData(), nullptr);
    EXPECT_EQ(clipboard()->mimeData()->formats(), QStringList{"application/x-qt-image"})
        << "only the image object is on offer";
    EXPECT_EQ(signalled, std::vector<bool>{true});
    EXPECT_TRUE(exchange.hasUsableData());
    EXPECT_TRUE(commands.canPaste());

    ASSERT_TRUE(commands.paste());
    ASSERT_EQ(image().layerCount(), 2);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(pasted(picture.size(), x, 0), colors[x]) << x;
        EXPECT_EQ(pasted(picture.size(), x, 1), 0u) << x;
    }
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(ClipboardQtImageTest, PremultipliedImagesAndPixmapsArriveStraight) {
    QImage premultiplied(2, 2, QImage::Format_ARGB32_Premultiplied);
    premultiplied.fill(QColor(200, 100, 50, 128));
    clipboard()->setImage(premultiplied);
    ASSERT_TRUE(commands.paste());
    const Color32 half = pasted({2, 2}, 1, 1);
    EXPECT_EQ(AlphaOf(half), 128u);
    // Stored premultiplied, the colour comes back within rounding.
    EXPECT_NEAR(RedOf(half), 200, 2);
    EXPECT_NEAR(GreenOf(half), 100, 2);
    EXPECT_NEAR(BlueOf(half), 50, 2);

    QPixmap pixmap(2, 2);
    pixmap.fill(QColor(7, 8, 9));
    clipboard()->setPixmap(pixmap);
    EXPECT_TRUE(exchange.hasUsableData());
    ASSERT_TRUE(commands.paste());
    EXPECT_EQ(pasted({2, 2}, 0, 0), MakeColor32(7, 8, 9, 255));
    EXPECT_EQ(image().layerCount(), 3);
}

TEST_F(ClipboardQtImageTest, ANullImageIsNothingToPaste) {
    auto* data = new QMimeData;
    data->setImageData(QImage());
    clipboard()->setMimeData(data);
    EXPECT_FALSE(commands.paste());
    EXPECT_EQ(reporter.messages, std::vector<std::string>{kNothingToPaste});
    EXPECT_EQ(image().layerCount(), 1);
}

} // namespace
} // namespace kv::test
