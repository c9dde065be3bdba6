#include "GuiTestSupport.h"
#include "platform/ErrorReporter.h"
#include "platform/Exceptions.h"
#include "settings/Settings.h"
#include "support/CapturingReporter.h"
#include "toolkit/CWULError.h"
#include "toolkit/KorvaneApplication.h"
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

// Throws the given error from inside an event handler.
class Thrower : public QObject {
  public:
    std::function<void()> action;
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) action();
        return QObject::event(e);
    }
};

TEST(KorvaneApplication, ErrorsInsideAnEventAreReportedAndTheProgramGoesOn) {
    App();
    test::CapturingReporter reporter;
    Thrower thrower;
    QEvent event(QEvent::User);
    thrower.action = [] { throw CKVException("Insufficient memory"); };
    EXPECT_FALSE(QApplication::sendEvent(&thrower, &event));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0], "Insufficient memory");
    EXPECT_EQ(reporter.titles[0], "Korvane :: Error");

    thrower.action = [] { throw CKVAbortRequest(); };
    EXPECT_FALSE(QApplication::sendEvent(&thrower, &event));
    EXPECT_EQ(reporter.messages.size(), 1u);

    // What the library throws is caught as well, never left to terminate:
    // heap exhaustion as "Insufficient memory", anything else with its text.
    thrower.action = [] { throw std::bad_alloc(); };
    EXPECT_FALSE(QApplication::sendEvent(&thrower, &event));
    thrower.action = [] { throw std::runtime_error("bad state"); };
    EXPECT_FALSE(QApplication::sendEvent(&thrower, &event));
    EXPECT_EQ(reporter.messages, (std::vector<std::string>{"Insufficient memory",
                                                           "Insufficient memory", "bad state"}));
    EXPECT_EQ(reporter.titles.back(), "Korvane :: Error");
    // Ours is a std::exception too, and says its message.
    EXPECT_STREQ(CKVException("Invalid data").what(), "Invalid data");

    // Code 0 toolkit errors are silent (a code other than 0 shows a box).
    thrower.action = [] { throw CWULError(0, "here", "quiet"); };
    EXPECT_FALSE(QApplication::sendEvent(&thrower, &event));
    EXPECT_EQ(CWULError(1, "WULInit", "WUL initialization failed").text(),
              "Location: WULInit\nDescription: WUL initialization failed");
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

TEST(MainWindow, IsTitledWithTheProgramName) {
    App();
    MainWindow window;
    EXPECT_EQ(window.windowTitle(), QString("Korvane"));
}

} // namespace
} // namespace kv

namespace kv {
namespace {

using test::App;

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

} // namespace
} // namespace kv
