#include "ui/dialogs/ProgramFileDialog.h"

#include "platform/ErrorReporter.h"
#include "ui/dialogs/FilePreviewPane.h"

#include <QFileInfo>
#include <QGridLayout>

namespace kv {

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

bool MayReplaceFile(const QString& path) {
    if (!QFileInfo::exists(path)) return true;
    const std::string name = QFileInfo(path).fileName().toStdString();
    return AppMessageBox(MessageButtons::YesNo, MessageIcon::Warning, "The file already exists",
                         name + " already exists.\nDo you want to replace it?",
                         MessageResult::No) == MessageResult::Yes;
}

ProgramFileDialog::ProgramFileDialog(const FileDialogRequest& request,
                                     const PluginHost* previewHost, QWidget* parent)
    : QFileDialog(parent), m_request(request), m_filters(NameFilters(request.filters)) {
    const bool saving = request.kind == FileDialogKind::Save;
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontConfirmOverwrite);
    setWindowTitle(QString::fromStdString(request.title));
    setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    setNameFilters(m_filters);
    if (request.selectedFilter < static_cast<std::size_t>(m_filters.size()))
        selectNameFilter(m_filters[static_cast<qsizetype>(request.selectedFilter)]);
    if (!request.folder.empty()) setDirectory(QString::fromStdString(request.folder));
    if (!request.fileName.empty()) selectFile(QString::fromStdString(request.fileName));
    if (!request.defaultExtension.empty())
        setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.preview) return;
    m_preview = new FilePreviewPane(previewHost, this);
    // Qt's own dialog lays itself out on a grid: the preview takes a column
    // of its own on the right.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(m_preview, 0, grid->columnCount(), grid->rowCount(), 1);
    connect(this, &QFileDialog::currentChanged, m_preview, &FilePreviewPane::showFile);
}

FileChoice ProgramFileDialog::choice() const {
    const QStringList files = selectedFiles();
    const auto filter = m_filters.indexOf(selectedNameFilter());
    return FileChoice{files.isEmpty() ? std::string() : files.front().toStdString(),
                      filter < 0 ? 0 : static_cast<std::size_t>(filter)};
}

std::optional<FileChoice> ProgramFileDialog::run() {
    for (;;) {
        if (exec() != QDialog::Accepted || selectedFiles().isEmpty()) return std::nullopt;
        const FileChoice chosen = choice();
        if (m_request.kind == FileDialogKind::Save &&
            !MayReplaceFile(QString::fromStdString(chosen.path)))
            continue;
        return chosen;
    }
}

} // namespace kv
