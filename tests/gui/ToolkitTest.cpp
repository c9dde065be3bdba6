#include "GuiTestSupport.h"
#include "model/Project.h"
#include "platform/ErrorReporter.h"
#include "platform/Exceptions.h"
#include "settings/Settings.h"
#include "support/CapturingReporter.h"
#include "toolkit/CWULError.h"
#include "toolkit/MessageBoxDialog.h"
#include "toolkit/UiTicker.h"
#include "ui/MainWindow.h"

#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace kv {
namespace {

using test::App;
using test::Thrower;

TEST(MessageBoxDialog, ButtonSetsTextsAndDefaultFocus) {
    App();
    struct Case {
        MessageButtons set;
        std::vector<std::pair<MessageResult, const char*>> buttons;
    } cases[] = {
        {MessageButtons::Ok, {{MessageResult::Ok, "&OK"}}},
        {MessageButtons::YesNo, {{MessageResult::Yes, "&Yes"}, {MessageResult::No, "&No"}}},
        {MessageButtons::OkCancel,
         {{MessageResult::Ok, "&OK"}, {MessageResult::Cancel, "&Cancel"}}},
        {MessageButtons::YesNoCancel,
         {{MessageResult::Yes, "&Yes"},
          {MessageResult::No, "&No"},
          {MessageResult::Cancel, "&Cancel"}}},
    };
    for (const Case& c : cases) {
        for (const auto& [defaultResult, unused] : c.buttons) {
            MessageBoxDialog box(nullptr, c.set, MessageIcon::Question, "T", "text", defaultResult);
            for (const auto& [result, text] : c.buttons) {
                QPushButton* b = box.button(result);
                ASSERT_NE(b, nullptr);
                EXPECT_EQ(b->text(), QString(text));
                EXPECT_EQ(b->isDefault(), result == defaultResult);
            }
        }
        MessageBoxDialog box(nullptr, c.set, MessageIcon::Error, "T", "text", MessageResult::Ok);
        EXPECT_EQ(box.button(MessageResult::None), nullptr);
    }
}

TEST(MessageBoxDialog, OnlyOneBoxAtATimeAndClicksAnswer) {
    App();
    MessageResult inner = MessageResult::Ok;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(MessageBoxDialog::isOpen());
        // A second box while one is open answers 0 at once.
        inner = MessageBoxDialog::ask(nullptr, MessageButtons::Ok, MessageIcon::Information, "T",
                                      "second", MessageResult::Ok);
        auto* box = qobject_cast<MessageBoxDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->button(MessageResult::No)->click();
    });
    const MessageResult answer =
        MessageBoxDialog::ask(nullptr, MessageButtons::YesNoCancel, MessageIcon::Question,
                              "Korvane", "Save?", MessageResult::Yes);
    EXPECT_EQ(inner, MessageResult::None);
    EXPECT_EQ(answer, MessageResult::No);
    EXPECT_FALSE(MessageBoxDialog::isOpen());

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(MessageBoxDialog::ask(nullptr, MessageButtons::YesNoCancel, MessageIcon::Question,
                                    "T", "Escape cancels", MessageResult::Yes),
              MessageResult::Cancel);
}

TEST(KorvaneApplication, AnErrorNoCommandCaughtEndsTheProgramWithACriticalBox) {
    test::ExitRecorder exits;
    App().setRescueHook(nullptr);
    test::CapturingReporter reporter;
    Thrower thrower;
    struct Case {
        std::function<void()> action;
        std::vector<std::string> boxes;
    } cases[] = {
        {[] { throw CKVException("Invalid data"); }, {"Invalid data"}},
        // Heap exhaustion is "Insufficient memory"; the library's own
        // errors say their text.
        {[] { throw std::bad_alloc(); }, {"Insufficient memory"}},
        {[] { throw std::runtime_error("bad state"); }, {"bad state"}},
        // A cancel that nothing caught ends the run without a word.
        {[] { throw CKVAbortRequest(); }, {}},
    };
    for (const Case& c : cases) {
        reporter.criticals.clear();
        thrower.action = c.action;
        EXPECT_FALSE(thrower.fire());
        EXPECT_EQ(reporter.criticals, c.boxes);
    }
    EXPECT_EQ(exits.codes, std::vector<int>(4, -1));
    EXPECT_TRUE(App().endedByError());
    EXPECT_TRUE(reporter.messages.empty()) << "the critical box, not the error box";
}

TEST(KorvaneApplication, ToolkitErrorsLetTheProgramGoOn) {
    test::ExitRecorder exits;
    Thrower thrower;
    // Ours is a std::exception too, and says its message.
    EXPECT_STREQ(CKVException("Invalid data").what(), "Invalid data");

    // Code 0 toolkit errors are silent (a code other than 0 shows a box).
    thrower.action = [] { throw CWULError(0, "here", "quiet"); };
    EXPECT_FALSE(thrower.fire());
    EXPECT_TRUE(exits.codes.empty());
}

TEST(UiTicker, CallsEveryClientUntilRemovedOrStopped) {
    App();
    UiTicker ticker;
    int a = 0, b = 0;
    const int ha = ticker.addClient([&] { ++a; });
    ticker.addClient([&] { ++b; });
    ticker.tick();
    ticker.removeClient(ha);
    ticker.tick();
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    ticker.stop();
    ticker.tick();
    EXPECT_EQ(b, 2);
}

TEST(MainWindow, PlacementComesFromTheSettingsAndGoesBackOnClose) {
    App();
    CreateSettings(Rect{0, 0, 1024, 738});
    SettingsStore& s = Settings();
    s.signedSetting("MainWindow.Position.Left").setValue(40);
    s.signedSetting("MainWindow.Position.Top").setValue(30);
    s.signedSetting("MainWindow.Size.Width").setValue(500);
    s.signedSetting("MainWindow.Size.Height").setValue(400);
    {
        MainWindow window;
        window.showAtSavedPlacement();
        EXPECT_EQ(window.size(), QSize(500, 400));
        window.setGeometry(60, 70, 640, 480);
        window.close();
    }
    EXPECT_EQ(s.signedValue("MainWindow.Position.Left"), 60);
    EXPECT_EQ(s.signedValue("MainWindow.Position.Top"), 70);
    EXPECT_EQ(s.signedValue("MainWindow.Size.Width"), 640);
    EXPECT_EQ(s.signedValue("MainWindow.Size.Height"), 480);
    EXPECT_FALSE(s.boolValue("MainWindow.Maximized"));
    DestroySettings();
}

// The title through a session is MainWindowWorkflowTest's.
TEST(MainWindow, ClosingAsksAboutChanges) {
    App();
    test::CapturingReporter reporter;
    SetCurrentProject(std::make_unique<Project>());
    MainWindow window;
    CurrentProject()->markModified();

    reporter.answer = MessageResult::Cancel;
    EXPECT_FALSE(window.close());
    EXPECT_NE(CurrentProject(), nullptr) << "cancelled: the window and the project stay";
    reporter.answer = MessageResult::No;
    EXPECT_TRUE(window.close());
    EXPECT_EQ(CurrentProject(), nullptr);
    EXPECT_EQ(reporter.titles.size(), 2u);
}

} // namespace
} // namespace kv
