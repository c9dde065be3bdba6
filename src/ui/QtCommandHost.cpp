#include "ui/QtCommandHost.h"

#include "commands/CommandSupport.h"
#include "model/Image.h"
#include "ui/ClipboardExchange.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace kv {
namespace {

// Asked by the program itself, so the box is the program's own.
bool MayReplace(const QString& path) {
    if (!QFileInfo::exists(path)) return true;
    const std::string name = QFileInfo(path).fileName().toStdString();
    return AppMessageBox(MessageButtons::YesNo, MessageIcon::Warning, "The file already exists",
                         name + " already exists.\nDo you want to replace it?",
                         MessageResult::No) == MessageResult::Yes;
}

void Prepare(QFileDialog& dialog, const FileDialogRequest& request, const QStringList& filters) {
    const bool saving = request.kind == FileDialogKind::Save;
    dialog.setWindowTitle(QString::fromStdString(request.title));
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(filters);
    if (request.selectedFilter < static_cast<std::size_t>(filters.size()))
        dialog.selectNameFilter(filters[static_cast<qsizetype>(request.selectedFilter)]);
    if (!request.folder.empty()) dialog.setDirectory(QString::fromStdString(request.folder));
    if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
}

// A box shown while the wait cursor is up gets the normal one.
class NormalCursor {
  public:
    NormalCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~NormalCursor() { QApplication::restoreOverrideCursor(); }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;
};

} // namespace

QStringList NameFilters(const std::vector<FileFilter>& filters) {
    QStringList list;
    for (const FileFilter& filter : filters) {
        QStringList patterns;
        for (const std::string& pattern : filter.patterns)
            patterns << QString::fromStdString(pattern);
        list << QString::fromStdString(filter.description) + " (" + patterns.join(' ') + ")";
    }
    return list;
}

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
    const QStringList filters = NameFilters(request.filters);
    QFileDialog dialog(m_owner);
    Prepare(dialog, request, filters);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString path = dialog.selectedFiles().front();
        if (request.kind == FileDialogKind::Save && !MayReplace(path)) continue;
        const auto filter = filters.indexOf(dialog.selectedNameFilter());
        return FileChoice{path.toStdString(), filter < 0 ? 0 : static_cast<std::size_t>(filter)};
    }
}

bool QtCommandHost::runDialog(DialogValues& values) {
    return m_dialogs && m_dialogs(values);
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
