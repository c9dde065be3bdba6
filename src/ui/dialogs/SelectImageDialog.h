#pragma once
#include "commands/host/DialogValues.h"

#include <QDialog>

class QCheckBox;
class QListWidget;

namespace kv {

// "Select an image": one of the images of a file that holds several, shown
// as pictures, over the chequer board when asked.
class SelectImageDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SelectImageDialog(const SelectImageValues& values, QWidget* parent = nullptr);

    SelectImageValues values() const;

    QListWidget& list() { return *m_list; }
    QCheckBox& chequeredBox() { return *m_chequered; }

  private:
    void fillIcons();

    SelectImageValues m_start;
    QListWidget* m_list;
    QCheckBox* m_chequered;
};

} // namespace kv
