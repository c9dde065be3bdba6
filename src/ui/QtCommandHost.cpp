#include "ui/QtCommandHost.h"

#include "commands/host/CommandSupport.h"
#include "model/Image.h"
#include "ui/ClipboardExchange.h"
#include "ui/dialogs/ProgramDialogs.h"
#include "ui/dialogs/ProgramFileDialog.h"

#include <QApplication>

namespace kv {
namespace {

// A box shown while the wait cursor is up gets the normal one.
class NormalCursor {
  public:
    NormalCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~NormalCursor() { QApplication::restoreOverrideCursor(); }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;
};

} // namespace

QtCommandHost::QtCommandHost(QWidget* owner, ClipboardExchange& clipboard)
    : m_owner(owner), m_clipboard(clipboard) {}

MessageResult QtCommandHost::ask(MessageButtons buttons, MessageIcon icon, const std::string& title,
                                 const std::string& text, MessageResult defaultResult) {
    return AppMessageBox(buttons, icon, title, text, defaultResult);
}

void QtCommandHost::reportError(const std::string& text) {
    ReportError(text);
}

void QtCommandHost::beep() {
    QApplication::beep();
}

std::optional<FileChoice> QtCommandHost::chooseFile(const FileDialogRequest& request) {
    ProgramFileDialog dialog(request, m_pluginHost, m_owner);
    return dialog.run();
}

bool QtCommandHost::runDialog(DialogValues& values) {
    if (m_dialogs) return m_dialogs(values);
    return RunProgramDialog(m_owner, values);
}

void QtCommandHost::refresh(RefreshScope scope) {
    if (m_refresher) m_refresher(scope);
}

void QtCommandHost::setWaitCursor(bool waiting) {
    if (waiting)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

ImagePoint QtCommandHost::viewCentre() const {
    if (m_centre)
        if (const std::optional<ImagePoint> centre = m_centre()) return *centre;
    const Image* image = CurrentImage();
    return image ? ImagePoint{image->width() * 128, image->height() * 128} : ImagePoint{};
}

bool QtCommandHost::putOnClipboard(ClipPicture picture) {
    return m_clipboard.put(std::move(picture));
}

bool QtCommandHost::clipboardHasData() const {
    return m_clipboard.hasUsableData();
}

ClipboardData QtCommandHost::readClipboard() {
    return m_clipboard.read();
}

} // namespace kv
