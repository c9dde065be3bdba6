#pragma once
#include <string>
#include <utility>

namespace kv {

// What an operation raises, and the outer handlers show, when the heap is
// exhausted (std::bad_alloc is reported with it too).
inline constexpr const char* kInsufficientMemory = "Insufficient memory";

// The one error type of an operation: it carries the message the user sees.
class CKVException {
  public:
    explicit CKVException(std::string message) : m_message(std::move(message)) {}
    const std::string& message() const { return m_message; }

  private:
    std::string m_message;
};

// The user cancelled a long operation; nothing to report.
class CKVAbortRequest {};

} // namespace kv
