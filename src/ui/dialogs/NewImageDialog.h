#pragma once
#include "commands/host/DialogValues.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

namespace kv {

class Project;
class TargetFormatGroup;

// "New project :: new image" and "New image": the size (a preset or a custom
// size, or the clipboard picture's), the target format, the options and, for
// a new image, the project image to borrow the content from.
class NewImageDialog : public QDialog {
    Q_OBJECT
  public:
    // `project` lists the images to borrow from (New image only).
    NewImageDialog(const NewImageValues& values, const Project* project, QWidget* parent = nullptr);

    NewImageValues values() const;

    // The size the clipboard's picture offers, if any; tests set it.
    void setClipboardSize(QSize size);

  private:
    QWidget* buildSizeGroup();
    QWidget* buildOptionsGroup();
    QWidget* buildContentsGroup(const Project& project);
    void chooseSize(int width, int height);
    void sizeChanged();
    int width() const;
    int height() const;

    NewImageValues m_start;
    QButtonGroup* m_presets = nullptr;
    QSpinBox* m_width = nullptr;
    QSpinBox* m_height = nullptr;
    QPushButton* m_matchClipboard = nullptr;
    QSize m_clipboardSize;
    TargetFormatGroup* m_format = nullptr;
    QCheckBox* m_supersampled = nullptr;
    QCheckBox* m_notForExport = nullptr;
    QCheckBox* m_borrow = nullptr;
    QComboBox* m_borrowFrom = nullptr;
};

} // namespace kv
