#pragma once
// Driving modal dialogs from a test: the action runs once the dialog of the
// given class is the active modal window, and decides how it ends.
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

namespace kv::test {

// Polls until a dialog of class D is up (it is created inside exec()), then
// runs the action on it. Gives up after a while so a missing dialog fails
// the test instead of hanging it.
template <class D> void WhenShown(std::function<void(D&)> action, int triesLeft = 200) {
    QTimer::singleShot(5, [action = std::move(action), triesLeft] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            action(*dialog);
            return;
        }
        if (triesLeft > 0) WhenShown<D>(action, triesLeft - 1);
    });
}

} // namespace kv::test
