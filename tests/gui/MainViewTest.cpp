#include "ui/view/MainView.h"
#include "GuiTestSupport.h"
#include "commands/files/ProjectFiles.h"
#include "editing/history/ActionManager.h"
#include "editing/records/Snapshots.h"
#include "model/Project.h"
#include "settings/Settings.h"
#include "tools/framework/ToolSet.h"
#include "ui/view/ViewStatusSink.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace kv {
namespace {

using test::App;
using test::ImageOf;
using test::LayerOf;

constexpr Color32 kRed = 0xFFFF0000;
constexpr Color32 kChequerB = 0xFFC0C0C0;
// The frame takes 2 pixels on each side of the viewport.
constexpr int kViewportWidth = 400, kViewportHeight = 300;

struct RecordingSink : ViewStatusSink {
    void statusTextChanged(StatusField, const std::string&) override {}
    void zoomLabelChanged(const std::string& label) override { zoomLabel = label; }
    std::string zoomLabel;
};

class MainViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        CreateSettings();
        InstallActionManagers();
        project = LoadProject(KORVANE_TEST_DATA "/two-images.kvp");
        ASSERT_TRUE(project);
        // The file marks no current layer: choose the top one, as the layers
        // panel would, so that nothing lies above it.
        for (std::uint32_t i = 1; i <= 2; ++i)
            project->imageAt(i)->setCurrentLayer(project->imageAt(i)->topLayer());
        view = std::make_unique<MainView>(Settings());
        view->resize(kViewportWidth + 4, kViewportHeight + 4);
        view->setStatusSink(&sink);
        view->show();
        QApplication::processEvents();
        ASSERT_EQ(view->viewport()->size(), QSize(kViewportWidth, kViewportHeight));
    }
    void TearDown() override {
        view.reset();
        project.reset();
        DestroySettings();
    }

    Image& image(std::uint32_t position) { return *project->imageAt(position); }
    // Shows an image to paint on: its layer and selection become the
    // snapshots, as the command that makes an image current does.
    void showForPainting(Image& shown) {
        view->setImage(&shown);
        CommitSnapshots(shown);
    }
    QImage grab() { return view->viewport()->grab().toImage(); }
    Color32 shown(Point p) { return grab().pixel(p.x, p.y); }
    // The centre of an image pixel's block on screen.
    Point centreOf(std::int32_t x, std::int32_t y) {
        const Point o = view->imageOrigin();
        const int z = view->zoom();
        return {o.x + x * z + z / 2, o.y + y * z + z / 2};
    }
    QWidget* viewport() { return view->viewport(); }
    // A pointer move with no button held, as the window system sends it.
    void hover(Point p) {
        QMouseEvent move(QEvent::MouseMove, QPointF(p.x, p.y),
                         viewport()->mapToGlobal(QPointF(p.x, p.y)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(viewport(), &move);
    }

    std::unique_ptr<Project> project;
    std::unique_ptr<MainView> view;
    RecordingSink sink;
};

TEST_F(MainViewTest, ANewImageIsZoomedToFitAndFramed) {
    Image& wide = image(2); // 24 x 12
    view->setImage(&wide);
    // Usable 368 x 268: factor 8 fits (192 x 96), factor 16 does not (384).
    EXPECT_EQ(view->zoom(), 8);
    EXPECT_EQ(sink.zoomLabel, "800%");
    const Point o = view->imageOrigin();
    EXPECT_EQ(o, (Point{(kViewportWidth - 192) / 2, (kViewportHeight - 96) / 2}));
    // The frame's pixels are ViewRendererTest's.
    EXPECT_EQ(shown(centreOf(5, 3)), wide.topLayer()->pixels().get(5, 3));
}

TEST_F(MainViewTest, ZoomKeepsTheCentreAndStopsAtTheEnds) {
    view->setImage(&image(1));
    view->setZoomLevel(0);
    view->zoomOut();
    EXPECT_EQ(view->zoomLevel(), 0);
    view->setZoomLevel(6); // 512 x 512: scrolled
    view->setScrollPosition({100, 150});
    const ImagePoint before = view->layout().centreAnchor();
    view->setZoomLevel(8);
    const ImagePoint after = view->layout().centreAnchor();
    EXPECT_EQ(ImagePixelOf(after), ImagePixelOf(before));
    EXPECT_NEAR(after.x, before.x, 4);
}

TEST_F(MainViewTest, EachImageKeepsItsZoomModeAndCentre) {
    Image& first = image(1);
    view->setImage(&first);
    EXPECT_EQ(view->zoom(), 16); // 256 fits 268, 384 does not
    view->setZoomLevel(6);
    view->setScrollPosition({60, 90});
    view->setChannelMode(ChannelMode::AlphaOnly);
    const ImagePoint centre = view->layout().centreForViewState();
    view->setImage(&image(2));
    EXPECT_EQ(first.viewState(),
              (std::array<std::uint32_t, 4>{32, 2, static_cast<std::uint32_t>(centre.x),
                                            static_cast<std::uint32_t>(centre.y)}));
    EXPECT_EQ(view->zoom(), 8); // fitted the first time
    view->setImage(&first);
    EXPECT_EQ(view->zoom(), 32);
    EXPECT_EQ(view->channelMode(), ChannelMode::AlphaOnly); // the mode stays
    EXPECT_EQ(view->scrollPosition(), (Point{60, 90}));
}

// What is drawn is the renderer's (tested headless); the view hands it the
// chequer's origin and its channel mode, and picks what it shows.
TEST_F(MainViewTest, TheGrabShowsTheRenderersPictureInTheViewsMode) {
    auto picture = ImageOf(8, 8, {0});
    LayerOf(*picture, 1).pixels().set(6, 6, 0x80336699);
    picture->update();
    showForPainting(*picture);
    view->setZoomLevel(2); // factor 4: 32 x 32, centred
    const Point o = view->imageOrigin();
    EXPECT_EQ(shown({o.x + 9, o.y + 1}), kChequerB); // the chequer starts at the image
    view->setChannelMode(ChannelMode::AlphaOnly);
    EXPECT_EQ(shown(centreOf(6, 6)), 0xFF808080u);
    EXPECT_EQ(view->pickVisibleColor({6 * 256 + 128, 6 * 256 + 128}), 0x80336699u);
    view->releaseImage();
}

TEST_F(MainViewTest, TheMiddleButtonPans) {
    view->setImage(&image(1));
    view->setZoomLevel(8); // 1024 x 1024
    view->setScrollPosition({300, 300});
    QTest::mousePress(viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(200, 150));
    QTest::mouseMove(viewport(), QPoint(180, 140));
    EXPECT_EQ(view->scrollPosition(), (Point{320, 310}));
    QTest::mouseRelease(viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(180, 140));
}

TEST_F(MainViewTest, AControlLineDragScrollsWhenThePointerLeavesTheView) {
    Image& target = image(1);
    showForPainting(target);
    view->setZoomLevel(7); // factor 48: 768 x 768, scrolled to the left edge
    view->setScrollPosition({0, 0});
    Settings().colorSetting("Drawing.Colors.Primary").setValue(kRed);
    view->selectTool(ToolId::Pencil);
    view->activateWindow();
    view->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    hover(centreOf(1, 2));
    // Through the window system, so that the keyboard state knows CTRL.
    QTest::keyPress(view->windowHandle(), Qt::Key_Control, Qt::ControlModifier);

    QTest::mousePress(viewport(), Qt::LeftButton, Qt::ControlModifier,
                      QPoint(centreOf(1, 2).x, centreOf(1, 2).y));
    ASSERT_EQ(view->interaction(), ViewInteraction::ToolDrag);
    const QPoint outside(kViewportWidth + 40, centreOf(1, 2).y);
    QTest::mouseMove(viewport(), outside);
    // Each tick moves by how far the pointer lies outside: 41 pixels.
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->scrollPosition().x >= 82; }, 2000));
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::ControlModifier, outside);
    QTest::keyRelease(view->windowHandle(), Qt::Key_Control, Qt::NoModifier);

    // The line reaches the pixel under the pointer after the scrolling.
    const std::int32_t end = view->pointerToImage({outside.x(), outside.y()}).x >> 8;
    EXPECT_GT(end, (kViewportWidth + 40 - view->imageOrigin().x) / 48 - 1);
    const PixelArray& pixels = target.currentLayer()->pixels();
    for (std::int32_t x = 1; x <= std::min(end, 15); ++x)
        EXPECT_EQ(pixels.get(x, 2), kRed) << x;
}

} // namespace
} // namespace kv
