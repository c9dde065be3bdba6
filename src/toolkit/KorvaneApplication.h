#pragma once
#include <QApplication>

#include <functional>
#include <string>

namespace kv {

// The application object: every event is handled inside a guard. A toolkit
// error is reported and the program goes on with the next event; any other
// error that no command caught ends the program, after the rescue hook has
// kept the user's work, with a critical box and the error exit code (the
// settings are then not saved).
class KorvaneApplication : public QApplication {
  public:
    static constexpr int kErrorExitCode = -1;
    // Keeps what can be kept and says where it went (a text added to the
    // box), or answers "" when there was nothing to keep.
    using RescueHook = std::function<std::string()>;
    // Ends the program with the code; by default every event loop quits.
    using ExitHook = std::function<void(int)>;

    KorvaneApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    void setRescueHook(RescueHook hook) { m_rescue = std::move(hook); }
    void setExitHook(ExitHook hook) { m_exit = std::move(hook); }
    // Whether an error ended the run.
    bool endedByError() const { return m_endedByError; }

  private:
    void endAfterError(const std::string& message);

    RescueHook m_rescue;
    ExitHook m_exit;
    bool m_endedByError = false;
    bool m_ending = false;
};

} // namespace kv
