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
    if (saving) {
        // A bare name takes the extension of the type chosen, so that
        // picking another type in the list really saves that type.
        followFilterSuffix(selectedNameFilter());
        connect(this, &QFileDialog::filterSelected, this, &ProgramFileDialog::followFilterSuffix);
    }
    if (!request.preview) return;
    m_preview = new FilePreviewPane(previewHost, this);
    // Qt's own dialog lays itself out on a grid: the preview takes a column
    // of its own on the right.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(m_preview, 0, grid->columnCount(), grid->rowCount(), 1);
    connect(this, &QFileDialog::currentChanged, m_preview, &FilePreviewPane::showFile);
}

void ProgramFileDialog::followFilterSuffix(const QString& nameFilter) {
    const auto index = m_filters.indexOf(nameFilter);
    std::string suffix = m_request.defaultExtension;
    if (index >= 0) {
        const std::vector<std::string>& patterns =
            m_request.filters[static_cast<std::size_t>(index)].patterns;
        // "*.ico" names an extension; "*" and "*.*" (all files) do not.
        if (!patterns.empty() && patterns.front().rfind("*.", 0) == 0 &&
            patterns.front().find_first_of("*?", 2) == std::string::npos)
            suffix = patterns.front().substr(2);
    }
    setDefaultSuffix(QString::fromStdString(suffix));
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
