#include "toolkit/KorvaneApplication.h"

#include "platform/ErrorReporter.h"
#include "platform/Exceptions.h"
#include "toolkit/CWULError.h"

#include <QMessageBox>

#include <exception>
#include <new>

namespace kv {
namespace {

std::string WithoutLeadingBreaks(const std::string& text) {
    const std::size_t start = text.find_first_not_of('\n');
    return start == std::string::npos ? std::string() : text.substr(start);
}

} // namespace

KorvaneApplication::KorvaneApplication(int& argc, char** argv)
    : QApplication(argc, argv), m_exit([](int code) { QCoreApplication::exit(code); }) {
    setApplicationName("Korvane");
    setOrganizationName("Dunmere");
}

bool KorvaneApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const CWULError& error) {
        if (error.code() != 0) {
            QMessageBox box(QMessageBox::Critical, kToolkitErrorTitle,
                            QString::fromUtf8(error.text().c_str()), QMessageBox::Ok);
            box.exec();
        }
    } catch (const CKVAbortRequest&) {
        // A cancel that nothing caught: no message, but the same end.
        endAfterError({});
    } catch (const CKVException& error) {
        endAfterError(error.message());
    } catch (const std::bad_alloc&) {
        endAfterError(kInsufficientMemory);
    } catch (const std::exception& error) {
        // Qt cannot carry an exception through its event loop, and whatever
        // threw left its work half done: the library's are treated like ours.
        endAfterError(error.what());
    }
    return false;
}

void KorvaneApplication::endAfterError(const std::string& message) {
    m_endedByError = true;
    // A second error while the first one's box is open only ends the run.
    if (!m_ending) {
        m_ending = true;
        std::string note;
        try {
            if (m_rescue) note = m_rescue();
        } catch (...) {
            note = "\n\nThe open project could not be saved.";
        }
        const std::string text = message.empty() ? WithoutLeadingBreaks(note) : message + note;
        if (!text.empty()) ReportCriticalError(text);
        m_ending = false;
    }
    if (m_exit) m_exit(kErrorExitCode);
}

} // namespace kv
