#include "toolkit/QtErrorReporter.h"

#include "toolkit/MessageBoxDialog.h"

#include <QApplication>
#include <QMessageBox>

namespace kv {

void QtErrorReporter::critical(const std::string& text) {
    // Owner-less and outside the one-box rule: it must show even when the
    // main window is gone or another box is open.
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kCriticalErrorTitle),
                    QString::fromUtf8(text.c_str()), QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

MessageResult QtErrorReporter::messageBox(MessageButtons buttons, MessageIcon icon,
                                          const std::string& title, const std::string& text,
                                          MessageResult defaultResult) {
    return MessageBoxDialog::ask(m_owner, buttons, icon, QString::fromUtf8(title.c_str()),
                                 QString::fromUtf8(text.c_str()), defaultResult);
}

void QtErrorReporter::beep() {
    QApplication::beep();
}

} // namespace kv
