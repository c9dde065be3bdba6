// The window as a user meets it: open a project, zoom and switch modes from
// the menus, paint with the Pencil, undo from the Edit menu, save, close;
// the title follows every step.
#include "GuiTestSupport.h"
#include "editing/history/ActionManager.h"
#include "editing/records/Snapshots.h"
#include "model/Project.h"
#include "settings/Settings.h"
#include "support/CapturingReporter.h"
#include "tools/framework/ToolSet.h"
#include "ui/MainWindow.h"
#include "ui/QtCommandHost.h"
#include "ui/menus/MainMenus.h"
#include "ui/view/MainView.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

namespace kv {
namespace {

using test::App;

constexpr Color32 kRed = 0xFFFF0000;

class MainWindowWorkflow : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        CreateSettings();
        InstallActionManagers();
        ASSERT_TRUE(folder.isValid());
        path = folder.filePath("two-images.kvp");
        ASSERT_TRUE(QFile::copy(KORVANE_TEST_DATA "/two-images.kvp", path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        window = std::make_unique<MainWindow>();
        window->resize(800, 600);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        SetCurrentProject(nullptr);
        window.reset();
        DestroySettings();
    }

    QAction* item(const char* text) { return window->menus().items().find(text); }
    QMenu* menu(const char* title) {
        for (QAction* action : window->menuBar()->actions())
            if (action->text() == title) return action->menu();
        return nullptr;
    }
    // What the user sees when the Edit menu opens.
    QString openEditMenu(QAction* entry) {
        emit menu("&Edit")->aboutToShow();
        return entry->isEnabled() ? entry->text() : "(disabled) " + entry->text();
    }
    MainView& view() { return window->view(); }
    // Where an image pixel's block lies in the window.
    QPoint inWindow(std::int32_t x, std::int32_t y) {
        const Point o = view().imageOrigin();
        const int z = view().zoom();
        return view().viewport()->mapTo(window.get(),
                                        QPoint(o.x + x * z + z / 2, o.y + y * z + z / 2));
    }
    QPoint inViewport(std::int32_t x, std::int32_t y) {
        return view().viewport()->mapFrom(window.get(), inWindow(x, y));
    }
    Color32 windowPixel(QPoint p) { return window->grab().toImage().pixel(p); }

    QTemporaryDir folder;
    QString path;
    std::unique_ptr<MainWindow> window;
    test::CapturingReporter reporter;
};

TEST_F(MainWindowWorkflow, OpenZoomPaintUndoSaveClose) {
    EXPECT_EQ(window->windowTitle(), "Korvane");
    ASSERT_TRUE(window->menus().openDroppedFile(path));
    EXPECT_EQ(window->windowTitle(), "Korvane - two-images");
    Image& image = *CurrentProject()->currentImage();
    ASSERT_EQ(view().image(), &image);
    // The file marks no current layer; choose the top one as the layers
    // panel would, so that nothing lies above the stroke.
    image.setCurrentLayer(image.topLayer());
    CommitSnapshots(image);

    item("Zoom &In")->trigger();
    // Pasting and erasing work around the view's centre, wherever it is
    // scrolled to.
    view().setScrollPosition({0, 0});
    EXPECT_EQ(window->commandHost().viewCentre(), view().layout().centreAnchor());

    PixelArray before;
    before.assign(image.currentLayer()->pixels());
    const Color32 shownBefore = windowPixel(inWindow(5, 4));
    EXPECT_EQ(openEditMenu(item("&Undo")), "(disabled) &Undo");

    Settings().colorSetting("Drawing.Colors.Primary").setValue(kRed);
    // The temporary tool menu, until the toolbox comes.
    QAction* pencil = nullptr;
    for (QMenu* sub : menu("&Tools")->findChildren<QMenu*>())
        for (QAction* action : sub->actions())
            if (action->text() == "Pencil") pencil = action;
    ASSERT_NE(pencil, nullptr);
    pencil->trigger();
    EXPECT_EQ(view().tools().current(), &view().tools().tool(ToolId::Pencil));
    QWidget* viewport = view().viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, inViewport(3, 4));
    QTest::mouseMove(viewport, inViewport(6, 4));
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, inViewport(6, 4));
    QApplication::processEvents();
    EXPECT_EQ(image.currentLayer()->pixels().get(5, 4), kRed);
    EXPECT_EQ(windowPixel(inWindow(5, 4)), kRed);
    EXPECT_EQ(window->windowTitle(), "Korvane - two-images*");

    QAction* undo = window->menus().items().find("&Undo Pencil Stroke");
    ASSERT_NE(undo, nullptr);
    EXPECT_EQ(openEditMenu(undo), "&Undo Pencil Stroke");
    undo->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(image.currentLayer()->pixels().sameContents(before));
    EXPECT_EQ(windowPixel(inWindow(5, 4)), shownBefore);
    EXPECT_EQ(openEditMenu(item("&Redo Pencil Stroke")), "&Redo Pencil Stroke");

    // Redo, then save over the file.
    item("&Redo Pencil Stroke")->trigger();
    EXPECT_EQ(image.currentLayer()->pixels().get(5, 4), kRed);
    item("&Save")->trigger();
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(window->windowTitle(), "Korvane - two-images");

    item("&Close")->trigger();
    EXPECT_EQ(window->windowTitle(), "Korvane");
    EXPECT_EQ(view().image(), nullptr);
    EXPECT_TRUE(reporter.titles.empty()); // saved: no question on closing

    // What was saved comes back.
    ASSERT_TRUE(window->menus().openDroppedFile(path));
    Image& reopened = *CurrentProject()->currentImage();
    EXPECT_EQ(reopened.topLayer()->pixels().get(5, 4), kRed);
}

TEST_F(MainWindowWorkflow, ADropOpensOnlyTheFirstFile) {
    const QString second = folder.filePath("second.kvp");
    ASSERT_TRUE(QFile::copy(path, second));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(second), QUrl::fromLocalFile(path)});
    const QPoint at = window->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_TRUE(QTest::qWaitFor([] { return CurrentProject() != nullptr; }, 2000));
    EXPECT_EQ(CurrentProject()->path(), second.toStdString());
    EXPECT_EQ(window->windowTitle(), "Korvane - second");
}

TEST_F(MainWindowWorkflow, ShortcutsReachTheirCommands) {
    ASSERT_TRUE(window->menus().openDroppedFile(path));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    view().setFocus();
    const int start = view().zoomLevel();
    QTest::keyClick(window.get(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(view().zoomLevel(), start + 1);
    QTest::keyClick(window.get(), Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(view().zoomLevel(), start);

    // Select All, undone with Ctrl+Z, done again with the second Redo key.
    Image& image = *CurrentProject()->currentImage();
    QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(image.selection()->active());
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(image.selection()->active());
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(image.selection()->active());

    // Escape brings the keyboard back to the view.
    auto* toolbarButton =
        qobject_cast<QToolButton*>(window->menus().toolbar()->widgetForAction(item("Zoom &In")));
    ASSERT_NE(toolbarButton, nullptr);
    toolbarButton->setFocusPolicy(Qt::StrongFocus);
    toolbarButton->setFocus();
    ASSERT_FALSE(view().hasFocus());
    QTest::keyClick(toolbarButton, Qt::Key_Escape);
    EXPECT_TRUE(view().hasFocus());
}

} // namespace
} // namespace kv
