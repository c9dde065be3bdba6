#pragma once
#include <exception>
#include <string>
#include <utility>

namespace kv {

// What an operation raises, and the outer handlers show, when the heap is
// exhausted (std::bad_alloc is reported with it too).
inline constexpr const char* kInsufficientMemory = "Insufficient memory";

// The one error type of an operation: it carries the message the user sees,
// which what() answers too, so a handler of std::exception shows the same text.
class CKVException : public std::exception {
  public:
    explicit CKVException(std::string message) : m_message(std::move(message)) {}
    const std::string& message() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

  private:
    std::string m_message;
};

// The user cancelled a long operation; nothing to report. Deliberately not a
// std::exception: a cancel is no error, and a handler that reports any
// std::exception must not show a box for it. Handlers that can meet it catch
// it by name.
class CKVAbortRequest {};

} // namespace kv
