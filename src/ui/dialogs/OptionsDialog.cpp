#include "ui/dialogs/OptionsDialog.h"

#include "settings/SettingsStore.h"
#include "ui/dialogs/ColorButton.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/dialogs/HelpTopics.h"
#include "ui/dialogs/HelpWindow.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kv {
namespace {

// A signed or unsigned setting's pending value as an int and back; the
// limits keep every value the dialog handles within int.
int PendingOf(const Setting& setting) {
    if (const auto* s = dynamic_cast<const SignedSetting*>(&setting)) return s->pending();
    return static_cast<int>(dynamic_cast<const UnsignedSetting&>(setting).pending());
}

void SetPending(Setting& setting, int value) {
    if (auto* s = dynamic_cast<SignedSetting*>(&setting))
        s->setPending(value);
    else
        dynamic_cast<UnsignedSetting&>(setting).setPending(static_cast<std::uint32_t>(value));
}

} // namespace

OptionsDialog::OptionsDialog(SettingsStore& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_pages(new QTabWidget(this)) {
    setWindowTitle("Options");
    QFormLayout* memory = addPage("Memory");
    addNumber(*memory, "Text tool memory limit, MB:", "Limits.Tools.Text.MemoryLimit", 0, 64);
    QFormLayout* files = addPage("Project Files");
    addCheck(*files, "Relaxed integrity checks", "Project.File.RelaxedChecks");
    addCheck(*files, "Embed thumbnails", "Project.File.EmbedThumbnails");
    addNumber(*files, "Thumbnail dimensions, max:", "Project.File.MaxThumbnailSize", 16, 1024);
    QFormLayout* supersampling = addPage("Supersampling");
    addNumber(*supersampling,
              "Tolerable image size, Kpixels:", "Limits.Supersampling.MaxPixelCount", 1,
              kMaxImageSide * kMaxImageSide / 1000, 1000);
    QFormLayout* undo = addPage("Undo");
    addNumber(*undo, "Depth, min:", "Limits.Undo.MinDepth", 1, 1000);
    addNumber(*undo, "Depth, max:", "Limits.Undo.MaxDepth", 1, 1000);
    addNumber(*undo, "Memory limit, MB:", "Limits.Undo.MemoryLimit", 1, 256);
    QFormLayout* viewports = addPage("Viewports");
    addColors(*viewports, "Chequer colors:", "UI.Colors.Chequer.A", "UI.Colors.Chequer.B");
    addColors(*viewports, "Grid color:", "UI.Colors.Grid.A", "UI.Colors.Grid.B");

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* applyButton = buttons->addButton("Apply", QDialogButtonBox::AcceptRole);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    QPushButton* reset = buttons->addButton("Reset to defaults", QDialogButtonBox::ResetRole);
    QPushButton* help = buttons->addButton("Help", QDialogButtonBox::HelpRole);
    applyButton->setDefault(true);
    connect(applyButton, &QPushButton::clicked, this, [this] {
        apply();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(reset, &QPushButton::clicked, this, &OptionsDialog::resetToDefaults);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpTopic(help::kOptions, this); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);

    for (const char* name : m_names)
        m_settings.find(name)->beginEdit();
    loadFields();
}

QFormLayout* OptionsDialog::addPage(const QString& title) {
    auto* page = new QWidget(m_pages);
    auto* form = new QFormLayout(page);
    m_pages->addTab(page, title);
    return form;
}

void OptionsDialog::addNumber(QFormLayout& page, const QString& label, const char* name, int low,
                              int high, int scale) {
    auto* box = NewSpinBox(page.parentWidget(), low, high, low, label);
    page.addRow(label, box);
    Setting& setting = *m_settings.find(name);
    m_names.push_back(name);
    m_loaders.push_back([box, &setting, scale] { box->setValue(PendingOf(setting) / scale); });
    m_storers.push_back([box, &setting, scale] { SetPending(setting, box->value() * scale); });
}

void OptionsDialog::addCheck(QFormLayout& page, const QString& label, const char* name) {
    auto* box = new QCheckBox(label, page.parentWidget());
    page.addRow(box);
    BoolSetting& setting = m_settings.boolSetting(name);
    m_names.push_back(name);
    m_loaders.push_back([box, &setting] { box->setChecked(setting.pending()); });
    m_storers.push_back([box, &setting] { setting.setPending(box->isChecked()); });
}

void OptionsDialog::addColors(QFormLayout& page, const QString& label, const char* first,
                              const char* second) {
    auto* row = new QHBoxLayout;
    for (const char* name : {first, second}) {
        auto* button = new ColorButton(label + (name == first ? " 1" : " 2"), page.parentWidget());
        row->addWidget(button);
        ColorSetting& setting = m_settings.colorSetting(name);
        m_names.push_back(name);
        m_loaders.push_back([button, &setting] { button->setColor(setting.pending()); });
        m_storers.push_back([button, &setting] { setting.setPending(button->color()); });
    }
    row->addStretch();
    page.addRow(label, row);
}

void OptionsDialog::loadFields() {
    for (const auto& load : m_loaders)
        load();
}

void OptionsDialog::apply() {
    for (const auto& store : m_storers)
        store();
    for (const char* name : m_names)
        m_settings.find(name)->apply();
}

void OptionsDialog::resetToDefaults() {
    for (const char* name : m_names)
        m_settings.find(name)->restorePendingDefault();
    loadFields();
}

} // namespace kv
