#pragma once
// The one application object of the GUI tests, and an object that throws
// from inside an event.
#include "toolkit/KorvaneApplication.h"

#include <QEvent>
#include <QObject>

#include <functional>

namespace kv::test {

inline KorvaneApplication& App() {
    static int argc = 1;
    static char name[] = "korvane-test";
    static char* argv[] = {name, nullptr};
    static KorvaneApplication app(argc, argv);
    return app;
}

// Runs its action when it receives a User event.
class Thrower : public QObject {
  public:
    std::function<void()> action;
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) action();
        return QObject::event(e);
    }
    // Delivers one User event through the application's guard.
    bool fire() {
        QEvent event(QEvent::User);
        return QApplication::sendEvent(this, &event);
    }
};

// Records the exits an error asks for instead of leaving the event loop.
struct ExitRecorder {
    std::vector<int> codes;
    ExitRecorder() {
        App().setExitHook([this](int code) { codes.push_back(code); });
    }
    ~ExitRecorder() { App().setExitHook(nullptr); }
};

} // namespace kv::test
