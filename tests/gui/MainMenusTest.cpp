// The menu bar, toolbar and help of the main window, without a project.
#include "ui/menus/MainMenus.h"
#include "GuiTestSupport.h"
#include "editing/history/ActionManager.h"
#include "settings/Settings.h"
#include "ui/MainWindow.h"
#include "ui/dialogs/HelpWindow.h"
#include "ui/menus/ShortcutTable.h"
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

TEST_F(MainMenusTest, WithoutAProjectOnlyTheProjectFreeItemsAreEnabled) {
    window->menus().refresh();
    for (const char* text : {"&New...", "&Open...", "E&xit", "&Contents"})
        EXPECT_TRUE(item(text)->isEnabled()) << text;
    for (const char* text : {"&Save", "&Close", "&Undo", "&Paste", "Zoom &In", "Dele&te"})
        EXPECT_FALSE(item(text)->isEnabled()) << text;
    bool opened = false;
    window->menus().setDialog(MainMenus::Dialog::Options, [&] { opened = true; });
    item("&Options...")->trigger();
    EXPECT_TRUE(opened);
}

TEST_F(MainMenusTest, TheToolbarsButtonsAreNamedAndMirrorTheViewModes) {
    QAction* alpha = item("&Alpha only");
    auto* button = qobject_cast<QToolButton*>(window->menus().toolbar()->widgetForAction(alpha));
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(window->view().channelMode(), ChannelMode::AlphaOnly);
    window->view().setChannelMode(ChannelMode::ColorOnly);
    EXPECT_FALSE(button->isChecked());
}

TEST_F(MainMenusTest, HelpEntriesOpenTheOneHelpWindowAtTheirTopics) {
    ASSERT_EQ(item("&Contents")->shortcut(), QKeySequence(Qt::Key_F1));
    item("&Keyboard Shortcuts")->trigger();
    HelpWindow& help = HelpWindow::instance();
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(help.browser().source().toLocalFile().endsWith("/keyboard.html"));
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

} // namespace
} // namespace kv
