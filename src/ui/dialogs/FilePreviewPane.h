#pragma once
#include <QWidget>

class QCheckBox;
class QLabel;

namespace kv {

class PluginHost;

// The preview area of the open and import dialogs: the selected file's
// picture and description as its provider gives them, or why there is none;
// "Enable preview" and "Chequered background" are remembered settings.
class FilePreviewPane : public QWidget {
    Q_OBJECT
  public:
    // `host` answers for the files; null asks the program's own provider only.
    explicit FilePreviewPane(const PluginHost* host, QWidget* parent = nullptr);

    // An empty path, or a folder, means no file is selected.
    void showFile(const QString& path);

    QCheckBox& enableBox() { return *m_enable; }
    QCheckBox& chequeredBox() { return *m_chequered; }
    // The text shown instead of the picture, else the description.
    QString text() const;
    // The picture as shown (null when there is none).
    const QImage& picture() const { return m_picture; }

  private:
    void refresh();
    void remember() const;

    const PluginHost& m_host;
    QString m_path;
    QImage m_picture;
    QLabel* m_area;
    QLabel* m_text;
    QCheckBox* m_enable;
    QCheckBox* m_chequered;
};

} // namespace kv
