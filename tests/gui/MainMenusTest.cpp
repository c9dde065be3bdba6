// The menu bar, toolbar and help of the main window, without a project.
#include "ui/menus/MainMenus.h"
#include "GuiTestSupport.h"
#include "editing/history/ActionManager.h"
#include "settings/Settings.h"
#include "tools/framework/ToolSet.h"
#include "ui/MainWindow.h"
#include "ui/dialogs/HelpWindow.h"
#include "ui/menus/ShortcutTable.h"
#include "ui/menus/ToolbarIcons.h"
#include "ui/panels/Toolbox.h"
#include "ui/panels/WindowPanels.h"
#include "ui/view/MainView.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

namespace kv {
namespace {

using test::App;

// A menu's entries: "—" for a separator, "Text ▸ (...)" for a submenu.
QString Entries(const QMenu& menu) {
    QStringList list;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator())
            list << "—";
        else if (action->menu())
            list << action->text() + " ▸ (" + Entries(*action->menu()) + ")";
        else
            list << action->text();
    }
    return list.join(", ");
}

class MainMenusTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        CreateSettings();
        InstallActionManagers();
        window = std::make_unique<MainWindow>();
    }
    void TearDown() override {
        window.reset();
        DestroySettings();
    }
    QMenu* menu(const char* title) {
        for (QAction* action : window->menuBar()->actions())
            if (action->text() == title) return action->menu();
        return nullptr;
    }
    QAction* item(const char* text) { return window->menus().items().find(text); }

    std::unique_ptr<MainWindow> window;
};

TEST_F(MainMenusTest, TheMenuTreeInOrder) {
    QStringList titles;
    for (QAction* action : window->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles.join(" "), "&File &Edit &View &Image &Layer &Tools &Help");
    EXPECT_EQ(Entries(*menu("&File")), "&New..., &Open..., &Save, Save &As..., &Close, —, "
                                       "&Import..., &Export..., —, E&xit");
    EXPECT_EQ(Entries(*menu("&Edit")),
              "&Undo, &Redo, —, Cu&t, &Copy, C&opy Merged, &Paste, &Erase, —, Select &All, "
              "&Selection ▸ (&Deselect, &Invert)");
    EXPECT_EQ(Entries(*menu("&View")), "Zoom &In, Zoom &Out, Zoom to &Fit, —, &Normal, "
                                       "&Color only, &Alpha only");
    EXPECT_EQ(Entries(*menu("&Image")),
              "&New..., Dele&te, &Properties..., —, &Crop to Selection, —, P&revious, &Next, —, "
              "Move &Up, Move &Down, —, Flip &Horizontal, Flip &Vertical, —, Rotate &90° CW, "
              "Rotate 9&0° CCW, Rotate &180°, —, &Import..., &Export...");
    EXPECT_EQ(Entries(*menu("&Layer")),
              "&New ▸ (&Layer, &Supersampled layer), Dele&te, &Properties..., —, &Duplicate, "
              "&Merge Down, Merge &All, —, Next &Up, Next Do&wn, —, Bring to F&ront, "
              "Move &Forward, Move &Backward, Send to Bac&k");
    EXPECT_EQ(Entries(*menu("&Tools")),
              "&Plugins..., &Options..., —, Tool&box ▸ (Selection Tool, Magic Wand, Move Tool, "
              "Color Picker, Pencil, Brush, Gradient Tool, Flood Fill Tool, Eraser, Text Tool, "
              "Rectangle Tool, Ellipse Tool)");
    EXPECT_EQ(Entries(*menu("&Help")),
              "&Contents, &Keyboard Shortcuts, —, &Home Page ▸ (&Primary, &Alternate), "
              "&Feedback, &Support, —, &About...");
}

TEST_F(MainMenusTest, WithoutAProjectOnlyTheProjectFreeItemsAreEnabled) {
    window->menus().refresh();
    for (const char* text : {"&New...", "&Open...", "&Import...", "E&xit", "&Normal", "&Contents",
                             "&About...", "&Primary"})
        EXPECT_TRUE(item(text)->isEnabled()) << text;
    for (const char* text : {"&Save", "Save &As...", "&Close", "&Export...", "&Undo", "&Redo",
                             "Cu&t", "&Paste", "&Erase", "Select &All", "Zoom &In", "Zoom to &Fit",
                             "Dele&te", "&Duplicate", "Next &Up", "&Plugins...", "&Options..."})
        EXPECT_FALSE(item(text)->isEnabled()) << text;
    bool opened = false;
    window->menus().setDialog(MainMenus::Dialog::Options, [&] { opened = true; });
    ASSERT_TRUE(item("&Options...")->isEnabled());
    item("&Options...")->trigger();
    EXPECT_TRUE(opened);
}

TEST_F(MainMenusTest, TheToolbarsButtonsAreNamedAndMirrorTheViewModes) {
    for (QAction* action : window->menus().toolbar()->actions()) {
        if (action->isSeparator()) continue;
        QWidget* button = window->menus().toolbar()->widgetForAction(action);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->accessibleName(), action->toolTip());
        EXPECT_FALSE(action->icon().isNull());
    }
    QAction* alpha = item("&Alpha only");
    auto* button = qobject_cast<QToolButton*>(window->menus().toolbar()->widgetForAction(alpha));
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(window->view().channelMode(), ChannelMode::AlphaOnly);
    EXPECT_TRUE(button->isChecked());
    window->view().setChannelMode(ChannelMode::ColorOnly);
    EXPECT_FALSE(button->isChecked());
    EXPECT_TRUE(item("&Color only")->isChecked());
}

TEST(ToolbarIcons, DrawnForBothScalesWithWholePixelEdges) {
    App();
    for (auto picture : {ToolbarPicture::NewFile, ToolbarPicture::SaveFile, ToolbarPicture::Undo,
                         ToolbarPicture::ColorOnly}) {
        const QIcon icon = ToolbarIcon(picture);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
        EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
    }
    // The colour-only square: solid quarters inside a one-pixel outline,
    // which is two pixels at scale 2, never a blend.
    const QImage one = ToolbarPixmap(ToolbarPicture::ColorOnly, 1).toImage();
    const QImage two = ToolbarPixmap(ToolbarPicture::ColorOnly, 2).toImage();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(two.pixel(2 + i, 10), one.pixel(1, 5));
        EXPECT_EQ(qAlpha(one.pixel(1, 5)), 255);
    }
    EXPECT_EQ(one.pixel(3, 3), two.pixel(6, 6));
    EXPECT_EQ(one.pixel(3, 3), two.pixel(7, 7));
    EXPECT_EQ(qAlpha(one.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(two.pixel(1, 1)), 0);
    EXPECT_NE(ToolbarPixmap(ToolbarPicture::Undo, 1).toImage(),
              ToolbarPixmap(ToolbarPicture::Redo, 1).toImage());
}

TEST_F(MainMenusTest, HelpEntriesOpenTheOneHelpWindowAtTheirTopics) {
    ASSERT_EQ(item("&Contents")->shortcut(), QKeySequence(Qt::Key_F1));
    item("&Keyboard Shortcuts")->trigger();
    HelpWindow& help = HelpWindow::instance();
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(help.browser().source().toLocalFile().endsWith("/keyboard.html"));
    EXPECT_TRUE(help.browser().toPlainText().contains("Keyboard shortcuts"));
    item("&Contents")->trigger();
    EXPECT_EQ(&HelpWindow::instance(), &help); // one window, reused
    EXPECT_TRUE(help.browser().source().toLocalFile().endsWith("/index.html"));
    help.close();
}

// Each key a menu item carries is the table's, and each of the table's
// menu rows is on its item: the keyboard page written from the table
// lists what the menus do.
TEST_F(MainMenusTest, EveryMenuKeyComesFromTheShortcutTable) {
    // The item at "&Edit", "&Selection > &Deselect".
    auto find = [&](const MenuShortcut& row) -> QAction* {
        QMenu* at = menu(row.menu);
        const QStringList steps = QString::fromUtf8(row.item).split(" > ");
        for (qsizetype i = 0; at && i < steps.size(); ++i) {
            QAction* found = nullptr;
            for (QAction* action : at->actions())
                if (action->text() == steps[i]) found = action;
            if (!found) return nullptr;
            if (i + 1 == steps.size()) return found;
            at = found->menu();
        }
        return nullptr;
    };
    std::set<const QAction*> carried;
    for (const MenuShortcut& row : MenuShortcuts()) {
        if (!*row.menu) continue;
        QAction* action = find(row);
        ASSERT_NE(action, nullptr) << row.item;
        QList<QKeySequence> keys;
        for (QKeyCombination key : row.keys())
            keys << QKeySequence(key);
        EXPECT_EQ(action->shortcuts(), keys) << row.item;
        carried.insert(action);
    }
    for (QAction* action : window->menuBar()->findChildren<QAction*>()) {
        if (!action->shortcuts().isEmpty()) {
            EXPECT_TRUE(carried.count(action)) << action->text().toStdString();
        }
    }
    // No key is taken twice, anywhere in the window.
    std::set<QString> seen;
    for (QAction* action : window->findChildren<QAction*>())
        for (const QKeySequence& key : action->shortcuts())
            EXPECT_TRUE(seen.insert(key.toString()).second) << key.toString().toStdString();
    EXPECT_EQ(FocusViewKey(), QKeyCombination(Qt::Key_Escape));
}

TEST_F(MainMenusTest, TheToolboxMenuChoosesToolsAndShowsTheCurrentOne) {
    QMenu* tools = nullptr;
    for (QAction* action : menu("&Tools")->actions())
        if (action->menu()) tools = action->menu();
    ASSERT_NE(tools, nullptr);
    const auto order = ToolboxOrder();
    ASSERT_EQ(tools->actions().size(), static_cast<qsizetype>(order.size()));
    for (std::size_t i : {std::size_t{0}, order.size() - 1}) {
        tools->actions()[static_cast<qsizetype>(i)]->trigger();
        ASSERT_TRUE(window->view().tools().current());
        EXPECT_EQ(window->view().tools().current()->id(), order[i].id);
        EXPECT_TRUE(window->panels().toolbox().toolButton(order[i].id)->isChecked());
        emit tools->aboutToShow();
        for (qsizetype k = 0; k < tools->actions().size(); ++k)
            EXPECT_EQ(tools->actions()[k]->isChecked(), k == static_cast<qsizetype>(i));
    }
}

} // namespace
} // namespace kv
