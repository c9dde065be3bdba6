#include "PanelTestSupport.h"
#include "commands/edit/EditCommands.h"
#include "model/LayerBase.h"
#include "support/CapturingReporter.h"
#include "ui/panels/FoldingPanel.h"
#include "ui/panels/ImagePanel.h"
#include "ui/panels/LayerRow.h"
#include "ui/panels/ProjectPanel.h"
#include "ui/view/MainView.h"

#include <QMenu>

#include <functional>
#include <string>
#include <vector>

namespace kv {
namespace {

using test::PanelTest;

class ImagePanelTest : public PanelTest {
  protected:
    ImagePanel& panel() { return column().imagePanel(); }
    // The layer names as the list shows them, top first.
    std::vector<std::string> shownNames() {
        std::vector<std::string> names;
        for (int i = 0; i < panel().list()->count(); ++i)
            names.push_back(panel().row(i)->name().toStdString());
        return names;
    }
    // The model's layer names, top first.
    std::vector<std::string> modelNames() {
        std::vector<std::string> names;
        for (LayerBase* l = current().topLayer(); l; l = l->below())
            names.push_back(l->displayName());
        return names;
    }
    int shownCurrentRow() { return panel().list()->currentRow(); }
    int modelCurrentRow() {
        int row = 0;
        for (LayerBase* l = current().topLayer(); l; l = l->below(), ++row)
            if (l == current().currentLayer()) return row;
        return -1;
    }
    void expectInSync() {
        EXPECT_EQ(shownNames(), modelNames());
        EXPECT_EQ(shownCurrentRow(), modelCurrentRow());
        EXPECT_EQ(panel().infoLines()[2].toStdString(),
                  "Number of layers: " + std::to_string(current().layerCount()));
    }
    void undo() {
        EditCommands(window->commandHost()).undo();
        QApplication::processEvents();
    }
};

// The panel's menus and buttons reach the layer commands, and the list
// follows each change and its undo.
TEST_F(ImagePanelTest, MenusAndButtonsChangeTheLayersAndUndo) {
    const struct {
        const char* what;
        std::function<void()> trigger;
        int change;
    } cases[] = {
        {"new layer", [&] { panel().newLayerMenu()->actions().at(0)->trigger(); }, +1},
        {"merge down", [&] { panel().contextMenu()->actions().at(1)->trigger(); }, -1},
        {"duplicate", [&] { click(panel().button("Duplicate layer")); }, +1},
        {"move backward", [&] { click(panel().button("Move layer backward")); }, 0},
        {"delete", [&] { click(panel().button("Delete layer")); }, -1},
    };
    ASSERT_GE(current().layerCount(), 2) << "the test image has two layers";
    const std::vector<std::string> original = modelNames();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.trigger();
        QApplication::processEvents();
        EXPECT_EQ(current().layerCount(), static_cast<int>(original.size()) + c.change);
        EXPECT_NE(modelNames(), original);
        expectInSync();
        undo();
        EXPECT_EQ(modelNames(), original);
        expectInSync();
    }
}

// A dragged layer lands where it is let go, through the Layer menu's move
// commands: the ends in one step, places between them one step per row,
// each undone on its own.
TEST_F(ImagePanelTest, DraggingALayerReordersThroughTheMoveCommandsAndUndoes) {
    while (current().layerCount() < 4) {
        panel().newLayerMenu()->actions().at(0)->trigger();
        QApplication::processEvents();
    }
    // Room for every row, so that no drag scrolls the list.
    column().fold("Image")->setBodyHeight(200);
    QApplication::processEvents();
    QListWidget& list = *panel().list();
    const std::vector<std::string> original = modelNames();
    ASSERT_EQ(original.size(), 4u);
    ASSERT_LE(list.visualItemRect(list.item(3)).bottom(), list.viewport()->height());
    const struct {
        int from;
        bool upper;
        int at;
        int to;
        int undos;
    } cases[] = {
        {3, true, 0, 0, 1},  // bottom to the top: Bring to Front
        {0, false, 3, 3, 1}, // top to the bottom: Send to Back
        {0, false, 1, 1, 1}, // one step back
        {3, true, 1, 1, 2},  // two steps forward
        {2, false, 1, 2, 0}, // let go where it was: nothing
        {1, true, 1, 1, 0},
    };
    for (const auto& c : cases) {
        std::vector<std::string> expected = original;
        const std::string moved = expected[static_cast<std::size_t>(c.from)];
        expected.erase(expected.begin() + c.from);
        expected.insert(expected.begin() + c.to, moved);
        DragRow(list, c.from, c.upper ? Upper(list, c.at) : Lower(list, c.at));
        EXPECT_EQ(modelNames(), expected) << c.from << " to " << c.to;
        EXPECT_EQ(modelCurrentRow(), c.to);
        expectInSync();
        for (int i = 0; i < c.undos; ++i)
            undo();
        EXPECT_EQ(modelNames(), original) << c.from << " to " << c.to;
        expectInSync();
    }
    // A press that moves less than the drag distance only chooses the row.
    const QPoint press = list.visualItemRect(list.item(3)).center();
    mouse(list.viewport(), QEvent::MouseButtonPress, press, Qt::LeftButton);
    mouse(list.viewport(), QEvent::MouseButtonRelease, press + QPoint(0, 1), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(modelNames(), original);
}

TEST_F(ImagePanelTest, VisibilityToggleHidesAndUndoShowsAgain) {
    panel().row(0)->visibilityToggle()->click();
    QApplication::processEvents(); // the toggle is queued
    EXPECT_FALSE(current().topLayer()->visible());
    undo();
    EXPECT_TRUE(current().topLayer()->visible());
}

class ProjectPanelTest : public PanelTest {
  protected:
    ProjectPanel& panel() { return column().projectPanel(); }
};

// An image without a current layer gets its top one.
TEST_F(ProjectPanelTest, ChoosingAnImageSwitchesViewAndLayerList) {
    Image* second = project().imageAt(2);
    second->setCurrentLayer(nullptr);
    panel().list()->setCurrentRow(1);
    QApplication::processEvents();
    EXPECT_EQ(project().currentImage(), second);
    EXPECT_EQ(window->view().image(), second);
    EXPECT_EQ(second->currentLayer(), second->topLayer());
    EXPECT_EQ(column().imagePanel().list()->count(), second->layerCount());
    EXPECT_EQ(column().imagePanel().list()->currentRow(), 0);
    EXPECT_TRUE(SnapshotHolds(*second->topLayer()));
}

TEST_F(ProjectPanelTest, ContextMenuDeletesAnImageAfterAsking) {
    test::CapturingReporter reporter;
    Image* second = project().imageAt(2);
    reporter.answer = MessageResult::No;
    panel().contextMenu()->actions().at(0)->trigger();
    EXPECT_EQ(panel().list()->count(), 2);
    reporter.answer = MessageResult::Yes;
    panel().contextMenu()->actions().at(0)->trigger();
    QApplication::processEvents();
    ASSERT_EQ(panel().list()->count(), 1);
    EXPECT_EQ(window->view().image(), second);
}

TEST_F(ProjectPanelTest, DraggingAnImageReordersTheProject) {
    Image* first = project().imageAt(1);
    Image* second = project().imageAt(2);
    QListWidget& list = *panel().list();
    DragRow(list, 0, Lower(list, 1));
    EXPECT_EQ(project().imageAt(1), second);
    EXPECT_EQ(project().imageAt(2), first);
    EXPECT_EQ(list.currentRow(), 1);
    // Above the first row is the top; below the last row's middle, the end.
    DragRow(list, 1, Upper(list, 0));
    EXPECT_EQ(project().imageAt(1), first);
    DragRow(list, 0, QPoint(10, list.viewport()->height() - 2));
    EXPECT_EQ(project().imageAt(2), first);
}

} // namespace
} // namespace kv
