#include "platform/ErrorReporter.h"

#include "platform/Exceptions.h"

#include <cstdio>
#include <exception>
#include <new>

namespace kv {
namespace {

class StderrReporter final : public ErrorReporter {
  public:
    void critical(const std::string& text) override {
        std::fprintf(stderr, "%s: %s\n", kCriticalErrorTitle, text.c_str());
    }
    MessageResult messageBox(MessageButtons, MessageIcon, const std::string& title,
                             const std::string& text, MessageResult defaultResult) override {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        return defaultResult;
    }
};

StderrReporter g_stderrReporter;
ErrorReporter* g_reporter = &g_stderrReporter;

} // namespace

ErrorReporter* InstallErrorReporter(ErrorReporter* reporter) {
    ErrorReporter* previous = g_reporter;
    g_reporter = reporter ? reporter : &g_stderrReporter;
    return previous == &g_stderrReporter ? nullptr : previous;
}

ErrorReporter& CurrentErrorReporter() {
    return *g_reporter;
}

void ReportCriticalError(const std::string& text) {
    g_reporter->critical(text);
}

void ReportError(const std::string& text) {
    g_reporter->messageBox(MessageButtons::Ok, MessageIcon::Error, kErrorTitle, text,
                           MessageResult::Ok);
}

MessageResult AppMessageBox(MessageButtons buttons, MessageIcon icon, const std::string& title,
                            const std::string& text, MessageResult defaultResult) {
    return g_reporter->messageBox(buttons, icon, title, text, defaultResult);
}

void Beep() {
    g_reporter->beep();
}

void ReportCurrentException() {
    try {
        throw;
    } catch (const CKVAbortRequest&) {
        // The user cancelled; nothing to say.
    } catch (const std::bad_alloc&) {
        ReportError(kInsufficientMemory);
    } catch (const std::exception& error) {
        ReportError(error.what());
    }
}

} // namespace kv
