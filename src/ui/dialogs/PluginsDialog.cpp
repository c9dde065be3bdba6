#include "ui/dialogs/PluginsDialog.h"

#include "platform/ErrorReporter.h"
#include "platform/ProcessValues.h"
#include "plugins/host/PluginHost.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv {
namespace {

// The plug-ins' own windows belong to them; anything that escapes is theirs.
void CallPlugin(void (*entry)(void*), QWidget* owner) {
    if (!entry) return;
    try {
        entry(owner);
    } catch (...) {
        ReportError("Plugin malfunction");
    }
}

} // namespace

PluginsDialog::PluginsDialog(const PluginHost& host, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)) {
    setWindowTitle("Plugins");
    m_list->setAccessibleName("Plugins");
    m_list->setMinimumSize(380, 200);
    for (const auto& provider : host.providers()) {
        if (provider->isBuiltin()) continue;
        m_providers.push_back(provider.get());
        m_list->addItem(QString("%1 %2 (%3)")
                            .arg(QString::fromStdString(provider->name()))
                            .arg(QString::fromStdString(FormatVersion(provider->version())))
                            .arg(QFileInfo(QString::fromStdString(provider->path())).fileName()));
    }
    auto* buttons = new QDialogButtonBox(this);
    m_settings = buttons->addButton("Settings...", QDialogButtonBox::ActionRole);
    m_about = buttons->addButton("About...", QDialogButtonBox::ActionRole);
    buttons->addButton("Close", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_settings, &QPushButton::clicked, this,
            [this] { CallPlugin(selected()->functions().settings, this); });
    connect(m_about, &QPushButton::clicked, this,
            [this] { CallPlugin(selected()->functions().about, this); });
    connect(m_list, &QListWidget::currentRowChanged, this, &PluginsDialog::selectionChanged);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    if (m_list->count() > 0) m_list->setCurrentRow(0);
    selectionChanged();
}

const FormatProvider* PluginsDialog::selected() const {
    const int row = m_list->currentRow();
    return row >= 0 && row < static_cast<int>(m_providers.size())
               ? m_providers[static_cast<std::size_t>(row)]
               : nullptr;
}

void PluginsDialog::selectionChanged() {
    const FormatProvider* provider = selected();
    m_settings->setEnabled(provider && provider->functions().settings);
    m_about->setEnabled(provider && provider->functions().about);
}

} // namespace kv
