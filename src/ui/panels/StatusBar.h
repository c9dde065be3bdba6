#pragma once
#include "ui/view/ViewStatusSink.h"

#include <QStatusBar>

#include <map>

class QLabel;

namespace kv {

// The window's status bar: the tool's hint, the pointer's pixel, the drag's
// distance or size, the colour under the pointer, the zoom and the memory
// the project takes.
class StatusBar : public QStatusBar, public ViewStatusSink {
    Q_OBJECT
  public:
    explicit StatusBar(QWidget* parent = nullptr);

    void statusTextChanged(StatusField field, const std::string& text) override;
    void zoomLabelChanged(const std::string& label) override;
    // The project's memory total, or nothing without a project.
    void showMemory();

  private:
    QLabel* addField(const QString& name, int minimumWidth);

    std::map<StatusField, QLabel*> m_fields;
    QLabel* m_zoom = nullptr;
    QLabel* m_memory = nullptr;
};

} // namespace kv
