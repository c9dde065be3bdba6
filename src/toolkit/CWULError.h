#pragma once
#include <string>
#include <utility>

namespace kv {

// The toolkit's own error: a code, where it happened and what happened.
// Caught around every event so one failing event does not end the program.
class CWULError {
  public:
    CWULError(int code, std::string location, std::string description)
        : m_code(code), m_location(std::move(location)), m_description(std::move(description)) {}
    int code() const { return m_code; }
    const std::string& location() const { return m_location; }
    const std::string& description() const { return m_description; }
    // "Location: ...\nDescription: ..."
    std::string text() const {
        return "Location: " + m_location + "\nDescription: " + m_description;
    }

  private:
    int m_code;
    std::string m_location;
    std::string m_description;
};

inline constexpr const char* kToolkitErrorTitle = "WUL Error";

} // namespace kv
