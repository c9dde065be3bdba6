#pragma once
#include "commands/host/FileDialogs.h"

#include <QFileDialog>

#include <optional>

namespace kv {

class FilePreviewPane;
class PluginHost;

// The open and save dialogs the commands ask for: the request's filters,
// folder and name, a preview area when the request wants one, and for
// saving the program's own question before a file is replaced. Qt's own
// dialog rather than the desktop's, so the preview area is there everywhere.
class ProgramFileDialog : public QFileDialog {
    Q_OBJECT
  public:
    ProgramFileDialog(const FileDialogRequest& request, const PluginHost* previewHost,
                      QWidget* parent = nullptr);

    // Nothing when the user cancelled.
    std::optional<FileChoice> run();

    // Null without a preview area.
    FilePreviewPane* preview() { return m_preview; }
    // The choice the dialog holds right now.
    FileChoice choice() const;

  private:
    void followFilterSuffix(const QString& nameFilter);
    FileDialogRequest m_request;
    QStringList m_filters;
    FilePreviewPane* m_preview = nullptr;
};

// "Description (*.a *.b)" for each filter.
QStringList NameFilters(const std::vector<FileFilter>& filters);

// Saving over an existing file asks first; true when there is no such file
// or the user agreed to replace it.
bool MayReplaceFile(const QString& path);

} // namespace kv
