#include "GuiTestSupport.h"

#include "commands/edit/ClipboardCommands.h"
#include "commands/formats/BuiltInFormats.h"
#include "editing/ActionTestSupport.h"
#include "model/Project.h"
#include "settings/Settings.h"
#include "storage/project/ProjectFile.h"
#include "support/CapturingReporter.h"
#include "support/StorageTestSupport.h"
#include "ui/ClipboardExchange.h"
#include "ui/KorvaneMimeData.h"
#include "ui/QtCommandHost.h"

#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

namespace kv::test {
namespace {

// The bounds of the pixels that are not transparent black.
Rect ScanBounds(const PixelArray& pixels) {
    Rect bounds;
    for (std::int32_t y = 0; y < pixels.height(); ++y)
        for (std::int32_t x = 0; x < pixels.width(); ++x)
            if (pixels.get(x, y) != 0) bounds.unite({x, y, x + 1, y + 1});
    return bounds;
}

void SelectRect(Image& image, const Rect& rect) {
    Selection& selection = *image.selection();
    selection.mask().fillRect(rect, 255);
    selection.refreshFromDetail(nullptr);
    selection.setActive(true);
    CommitSnapshots(image);
}

class ClipboardExchangeTest : public ::testing::Test {
  protected:
    ClipboardExchangeTest() {
        CreateSettings();
        auto project = std::make_unique<Project>();
        project->addImage(MakeImage(8, 6, 0xFF102030));
        project->addImage(MakeImage(10, 10, 0));
        project->setCurrentImage(project->firstImage());
        SetCurrentProject(std::move(project));
        CommitSnapshots(image());
        clipboard()->clear();
    }
    ~ClipboardExchangeTest() override {
        clipboard()->clear();
        SetCurrentProject(nullptr);
        DestroySettings();
    }
    static QClipboard* clipboard() { return QGuiApplication::clipboard(); }
    static Image& image() { return *CurrentProject()->currentImage(); }
    void showImage(std::uint32_t position) {
        CurrentProject()->setCurrentImage(CurrentProject()->imageAt(position));
        CommitSnapshots(image());
    }
    // Another program puts data of one type on the clipboard.
    static void offer(const QString& type, const QByteArray& bytes) {
        auto* data = new QMimeData;
        data->setData(type, bytes);
        clipboard()->setMimeData(data);
    }
    // A pasted layer's pixel, from the top-left corner of where a picture
    // of that size landed (centred in the image).
    static Color32 pasted(const QSize& size, int x, int y) {
        const PixelArray& pixels = image().currentLayer()->pixels();
        return pixels.get((image().width() - size.width()) / 2 + x,
                          (image().height() - size.height()) / 2 + y);
    }
    static QByteArray Encoded(const QImage& picture, const char* format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, format);
        return bytes;
    }

    // The clipboard needs the application first.
    KorvaneApplication& app = App();
    TempDir dir;
    CapturingReporter reporter;
    ClipboardExchange exchange;
    QtCommandHost host{nullptr, exchange};
    BuiltInFormats formats;
    ClipboardCommands commands{host, formats};
};

TEST_F(ClipboardExchangeTest, CopyInOneImagePasteIntoAnotherThroughTheClipboard) {
    CurrentLayer(image()).pixels().fillRect({2, 1, 5, 3}, 0x80C08040);
    image().update();
    SelectRect(image(), {2, 1, 5, 3});
    ASSERT_TRUE(commands.copy());

    const QMimeData* offered = clipboard()->mimeData();
    const auto* own = qobject_cast<const KorvaneMimeData*>(offered);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->renderedFormCount(), 0u) << "nothing rendered before anyone asks";
    // What another program receives when it asks for PNG.
    const QImage seen = QImage::fromData(offered->data("image/png"), "PNG");
    EXPECT_EQ(own->renderedFormCount(), 1u);
    ASSERT_EQ(seen.size(), QSize(3, 2));
    EXPECT_EQ(seen.convertToFormat(QImage::Format_ARGB32).pixel(0, 0), 0x80C08040u);

    showImage(2);
    EXPECT_TRUE(commands.canPaste());
    ASSERT_TRUE(commands.paste());
    // Centred on the image: 3 x 2 around (5, 5) starts at (3.5, 4), drawn from 3.
    const PixelArray& pasted = image().currentLayer()->pixels();
    EXPECT_EQ(ScanBounds(pasted), (Rect{3, 4, 6, 6}));
    EXPECT_EQ(pasted.get(3, 4), 0x80C08040u);
}

TEST_F(ClipboardExchangeTest, PastesAPngThatAnotherProgramPutThere) {
    QImage picture(4, 3, QImage::Format_ARGB32);
    picture.fill(QColor(10, 200, 30, 100));
    picture.setPixel(0, 0, qRgba(255, 0, 0, 255));
    offer("image/png", Encoded(picture, "PNG"));
    showImage(2);
    ASSERT_TRUE(commands.paste());
    const PixelArray& pasted = image().currentLayer()->pixels();
    // 4 x 3 centred on (5, 5): from (3, 3.5), drawn from row 4 or 3.
    const Rect r = ScanBounds(pasted);
    ASSERT_EQ(r, (Rect{r.left, r.top, r.left + 4, r.top + 3}));
    EXPECT_EQ(pasted.get(r.left, r.top), MakeColor32(255, 0, 0, 255));
    EXPECT_EQ(pasted.get(r.left + 1, r.top), MakeColor32(10, 200, 30, 100));
}

TEST_F(ClipboardExchangeTest, AcceptsBitmapsUnderEveryNameAndFilesByUri) {
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(QColor(1, 2, 3));
    for (const char* type : {"image/bmp", "image/x-bmp", "image/x-MS-bmp"}) {
        offer(type, Encoded(picture, "BMP"));
        const ClipboardData data = exchange.read();
        ASSERT_TRUE(data.picture) << type;
        EXPECT_EQ(data.picture->pixels.get(1, 1), MakeColor32(1, 2, 3, 255));
    }

    // A file named by URI is imported; here a project, which the program reads itself.
    auto project = std::make_unique<Project>();
    project->addImage(MakeImage(3, 3, 0xFF00FF00));
    const std::string path = dir.file("green.kvp");
    ASSERT_TRUE(WriteProjectFile(path, *project, {}).ok);
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    clipboard()->setMimeData(data);
    EXPECT_EQ(exchange.read().file, path);
    showImage(2);
    ASSERT_TRUE(commands.paste());
    EXPECT_EQ(image().currentLayer()->pixels().get(5, 5), 0xFF00FF00u);
}

TEST_F(ClipboardExchangeTest, PasteIsAvailableExactlyWhenSomethingUsableIsOffered) {
    int signalled = 0;
    QObject listener; // ends the connection before the counter goes
    QObject::connect(&exchange, &ClipboardExchange::pasteAvailabilityChanged, &listener,
                     [&](bool available) { signalled += available; });
    clipboard()->setText("just words");
    EXPECT_FALSE(commands.canPaste());
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.file("missing.png")))});
    clipboard()->setMimeData(data);
    EXPECT_FALSE(exchange.hasUsableData()) << "a file that is not there";
    offer("image/x-MS-bmp", "BM");
    EXPECT_TRUE(commands.canPaste());
    EXPECT_EQ(signalled, 1);

    // Offered but unreadable: Paste says so and changes nothing.
    EXPECT_FALSE(commands.paste());
    EXPECT_EQ(reporter.messages, std::vector<std::string>{kNothingToPaste});
    EXPECT_EQ(image().layerCount(), 1);
}

// Pictures another Qt program hands to QClipboard::setImage or setPixmap:
// within one process they are offered as the image object itself.
TEST_F(ClipboardExchangeTest, PastesAnImageSetWithSetImageKeepingItsAlpha) {
    showImage(2);
    QImage picture(4, 2, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    const QRgb colors[] = {qRgba(255, 0, 0, 255), qRgba(10, 200, 30, 100), qRgba(1, 2, 3, 1),
                           qRgba(0, 0, 255, 254)};
    for (int x = 0; x < 4; ++x)
        picture.setPixel(x, 0, colors[x]);
    clipboard()->setImage(picture);
    ASSERT_TRUE(commands.paste());
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(pasted(picture.size(), x, 0), colors[x]) << x;
        EXPECT_EQ(pasted(picture.size(), x, 1), 0u) << x;
    }
}

} // namespace
} // namespace kv::test
