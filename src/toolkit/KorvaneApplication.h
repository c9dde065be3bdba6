#pragma once
#include <QApplication>

namespace kv {

// The application object: every event is handled inside a guard, so an error
// raised by one event is reported and the program goes on with the next.
class KorvaneApplication : public QApplication {
  public:
    KorvaneApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace kv
