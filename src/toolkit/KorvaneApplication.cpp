#include "toolkit/KorvaneApplication.h"

#include "platform/ErrorReporter.h"
#include "platform/Exceptions.h"
#include "toolkit/CWULError.h"

#include <QMessageBox>

#include <exception>
#include <new>

namespace kv {

KorvaneApplication::KorvaneApplication(int& argc, char** argv) : QApplication(argc, argv) {
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
        // The user cancelled; nothing to say.
    } catch (const CKVException& error) {
        ReportError(error.message());
    } catch (const std::bad_alloc&) {
        // Heap exhaustion that no operation turned into a message of its own.
        ReportError(kInsufficientMemory);
    } catch (const std::exception& error) {
        // Qt cannot carry an exception through its event loop: anything of
        // the library's is reported here like ours, never left to terminate.
        ReportError(error.what());
    }
    return false;
}

} // namespace kv
