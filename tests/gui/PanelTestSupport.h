#pragma once
// A main window with its panels over the two-image test project, and small
// ways to reach the panels' controls.
#include "GuiTestSupport.h"
#include "commands/files/ProjectFiles.h"
#include "editing/history/ActionManager.h"
#include "editing/records/LayerSnapshot.h"
#include "editing/records/Snapshots.h"
#include "model/Project.h"
#include "settings/Settings.h"
#include "ui/MainWindow.h"
#include "ui/panels/PanelColumn.h"
#include "ui/panels/WindowPanels.h"

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace kv::test {

class PanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        CreateSettings();
        InstallActionManagers();
        auto project = LoadProject(KORVANE_TEST_DATA "/two-images.kvp");
        ASSERT_TRUE(project);
        for (std::uint32_t i = 1; i <= 2; ++i)
            project->imageAt(i)->setCurrentLayer(project->imageAt(i)->topLayer());
        project->setCurrentImage(project->firstImage());
        SetCurrentProject(std::move(project));
        CommitSnapshots(*CurrentProject()->currentImage());
        window = std::make_unique<MainWindow>();
        window->resize(1024, 768);
        window->showCurrentProject();
        window->commandHost().refresh(RefreshScope::Everything);
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        window.reset();
        SetCurrentProject(nullptr);
        DestroySettings();
    }

    Project& project() { return *CurrentProject(); }
    Image& current() { return *project().currentImage(); }
    WindowPanels& panels() { return window->panels(); }
    PanelColumn& column() { return panels().column(); }
    static void click(QAbstractButton* button) {
        ASSERT_TRUE(button);
        ASSERT_TRUE(button->isEnabled()) << button->toolTip().toStdString();
        button->click();
        QApplication::processEvents();
    }
    static void mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button) {
        QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    // Drags a list's row with the left button to a point in the list (viewport
    // coordinates), past the drag distance, and lets go there.
    static void DragRow(QListWidget& list, int row, QPoint to) {
        QWidget* viewport = list.viewport();
        const QPoint from = list.visualItemRect(list.item(row)).center();
        mouse(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton);
        QApplication::processEvents();
        mouse(viewport, QEvent::MouseMove, (from + to) / 2 + QPoint(0, 1), Qt::LeftButton);
        mouse(viewport, QEvent::MouseMove, to, Qt::LeftButton);
        mouse(viewport, QEvent::MouseButtonRelease, to, Qt::LeftButton);
        QApplication::processEvents();
    }

    // The upper or lower part of a row, where a dragged row lands before or after it.
    static QPoint Upper(const QListWidget& list, int row) {
        return list.visualItemRect(list.item(row)).topLeft() + QPoint(10, 2);
    }
    static QPoint Lower(const QListWidget& list, int row) {
        return list.visualItemRect(list.item(row)).bottomLeft() + QPoint(10, -2);
    }
    // Whether the layer snapshot holds exactly the layer's editable pixels.
    static bool SnapshotHolds(const LayerBase& layer) {
        const PixelArray& shot = LayerSnapshot::instance().pixels();
        const PixelArray& pixels = EditablePixelsOf(layer);
        return shot.width() == pixels.width() && shot.height() == pixels.height() &&
               std::memcmp(shot.data(), pixels.data(), pixels.pixelCount() * 4) == 0;
    }

    std::unique_ptr<MainWindow> window;
};

} // namespace kv::test
