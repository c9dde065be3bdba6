#pragma once
#include "platform/ErrorReporter.h"

#include <string>
#include <vector>

namespace kv::test {

// Records every message the code under test shows, and answers questions with
// a preset result. Installed for its lifetime.
class CapturingReporter final : public ErrorReporter {
  public:
    CapturingReporter() : m_previous(InstallErrorReporter(this)) {}
    ~CapturingReporter() override { InstallErrorReporter(m_previous); }

    void critical(const std::string& text) override { criticals.push_back(text); }
    MessageResult messageBox(MessageButtons, MessageIcon, const std::string& title,
                             const std::string& text, MessageResult defaultResult) override {
        titles.push_back(title);
        messages.push_back(text);
        return answer == MessageResult::None ? defaultResult : answer;
    }
    void beep() override { ++beeps; }

    std::vector<std::string> criticals;
    std::vector<std::string> titles;
    std::vector<std::string> messages;
    int beeps = 0;
    MessageResult answer = MessageResult::None; // None: the box's default

  private:
    ErrorReporter* m_previous;
};

} // namespace kv::test
