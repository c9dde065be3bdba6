#include "ui/panels/StatusBar.h"

#include "commands/host/DisplayTexts.h"
#include "model/Project.h"

#include <QLabel>

namespace kv {

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
    auto* hint = new QLabel(this);
    hint->setAccessibleName("Hint");
    // Small minimums: the window must still fit a small saved placement.
    hint->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    addWidget(hint, 1);
    m_fields[StatusField::Hint] = hint;
    m_fields[StatusField::Position] = addField("Pointer position", 50);
    m_fields[StatusField::Size] = addField("Size", 70);
    m_fields[StatusField::Color] = addField("Color under pointer", 80);
    m_zoom = addField("Zoom", 45);
    m_memory = addField("Memory", 50);
    showMemory();
}

QLabel* StatusBar::addField(const QString& name, int minimumWidth) {
    auto* label = new QLabel(this);
    label->setAccessibleName(name);
    label->setMinimumWidth(minimumWidth);
    label->setAlignment(Qt::AlignCenter);
    addPermanentWidget(label);
    return label;
}

void StatusBar::statusTextChanged(StatusField field, const std::string& text) {
    m_fields.at(field)->setText(QString::fromStdString(text));
}

void StatusBar::zoomLabelChanged(const std::string& label) {
    m_zoom->setText(QString::fromStdString(label));
}

void StatusBar::showMemory() {
    const Project* project = CurrentProject();
    m_memory->setText(project ? QString::fromStdString(ByteSizeText(project->memorySize()))
                              : QString());
}

} // namespace kv
