#pragma once
#include <string>

namespace kv {

// The first error of a file reader or writer since its last reset. In
// throwing mode every report raises CKVException with the first message.
class ErrorState {
  public:
    enum class State { Ok = 1, Failed = 2 };

    // Keeps the message unless one is already stored; always returns false
    // so that callers can `return report(...)`.
    bool report(const std::string& message);
    void reset();

    State state() const { return m_state; }
    bool failed() const { return m_state == State::Failed; }
    const std::string& message() const { return m_message; }
    bool throwOnError() const { return m_throwOnError; }
    void setThrowOnError(bool enabled) { m_throwOnError = enabled; }

  private:
    State m_state = State::Ok;
    std::string m_message;
    bool m_throwOnError = false;
};

} // namespace kv
