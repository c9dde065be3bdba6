#pragma once
#include <string>

namespace kv {

enum class MessageButtons { Ok = 1, YesNo = 2, OkCancel = 3, YesNoCancel = 4 };
enum class MessageIcon { Error = 1, Warning = 2, Question = 3, Information = 4 };
// 0 means "no box was shown" (another box is already open).
enum class MessageResult { None = 0, Yes = 1, No = 2, Ok = 3, Cancel = 4 };

inline constexpr const char* kCriticalErrorTitle = "Korvane :: Critical Error";
inline constexpr const char* kErrorTitle = "Korvane :: Error";

// Where core code sends what the user must see. The Qt program installs one
// that shows message boxes; tests install one that records.
class ErrorReporter {
  public:
    virtual ~ErrorReporter() = default;
    virtual void critical(const std::string& text) = 0;
    virtual MessageResult messageBox(MessageButtons buttons, MessageIcon icon,
                                     const std::string& title, const std::string& text,
                                     MessageResult defaultResult) = 0;
    virtual void beep() {}
};

// Installs a reporter (null restores the default, which writes to stderr and
// answers every question with its default result). Returns the previous one.
ErrorReporter* InstallErrorReporter(ErrorReporter* reporter);
ErrorReporter& CurrentErrorReporter();

// An owner-less box: for heap exhaustion and failures before the main window.
void ReportCriticalError(const std::string& text);
// The error box with one OK button.
void ReportError(const std::string& text);
// Call inside a handler: shows the error in flight in the error box (the
// message of any std::exception, ours included; heap exhaustion as
// kInsufficientMemory). A cancel shows nothing; any other type is thrown on.
void ReportCurrentException();
MessageResult AppMessageBox(MessageButtons buttons, MessageIcon icon, const std::string& title,
                            const std::string& text, MessageResult defaultResult);
void Beep();

} // namespace kv
