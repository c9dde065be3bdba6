#include "GuiTestSupport.h"
#include "model/Project.h"
#include "platform/ErrorReporter.h"
#include "platform/Exceptions.h"
#include "settings/Settings.h"
#include "support/CapturingReporter.h"
#include "toolkit/CWULError.h"
#include "toolkit/MessageBoxDialog.h"
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

TEST(MessageBoxDialog, ButtonSetsAndDefaultFocus) {
    App();
    using R = MessageResult;
    const std::pair<MessageButtons, std::vector<R>> cases[] = {
        {MessageButtons::Ok, {R::Ok}},
        {MessageButtons::YesNoCancel, {R::Yes, R::No, R::Cancel}},
    };
    for (const auto& [set, results] : cases) {
        for (R defaultResult : results) {
            MessageBoxDialog box(nullptr, set, MessageIcon::Question, "T", "text", defaultResult);
            for (R result : results) {
                ASSERT_NE(box.button(result), nullptr);
                EXPECT_EQ(box.button(result)->isDefault(), result == defaultResult);
            }
            EXPECT_EQ(box.button(R::None), nullptr);
        }
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
    // Code 0 toolkit errors are silent (a code other than 0 shows a box).
    thrower.action = [] { throw CWULError(0, "here", "quiet"); };
    EXPECT_FALSE(thrower.fire());
    EXPECT_TRUE(exits.codes.empty());
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
