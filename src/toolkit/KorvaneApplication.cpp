#include "toolkit/KorvaneApplication.h"

#include "platform/ErrorReporter.h"
#include "platform/Exceptions.h"
#include "toolkit/CWULError.h"

#include <QMessageBox>

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
    } catch (const CKVException& error) {
        ReportError(error.message());
    } catch (const CKVAbortRequest&) {
        // The user cancelled; nothing to say.
    }
    return false;
}

} // namespace kv
