#include "ui/dialogs/FilePreviewPane.h"

#include "plugins/host/PluginHost.h"
#include "plugins/preview/DialogPreview.h"
#include "plugins/services/HostQueries.h"
#include "settings/Settings.h"
#include "ui/dialogs/DialogParts.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

namespace kv {
namespace {

const PluginHost& OwnProviderOnly() {
    static const PluginHost& host = *[] {
        auto* h = new PluginHost; // lives to the end; its provider is static code
        h->buildTypeLists();
        return h;
    }();
    return host;
}

bool Remembered(const char* name, bool fallback) {
    return HaveSettings() ? Settings().boolValue(name) : fallback;
}

} // namespace

FilePreviewPane::FilePreviewPane(const PluginHost* host, QWidget* parent)
    : QWidget(parent), m_host(host ? *host : OwnProviderOnly()), m_area(new QLabel(this)),
      m_text(new QLabel(this)), m_enable(new QCheckBox("Enable preview", this)),
      m_chequered(new QCheckBox("Chequered background", this)) {
    m_area->setFixedSize(kFilePreviewAreaSize, kFilePreviewAreaSize);
    m_area->setAlignment(Qt::AlignCenter);
    m_area->setFrameShape(QFrame::StyledPanel);
    m_area->setAccessibleName("Preview");
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_text->setFixedWidth(kFilePreviewAreaSize);
    m_enable->setChecked(Remembered("ImageFilePreview.Enabled", true));
    m_chequered->setChecked(Remembered("ImageFilePreview.ChequeredBackground", false));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_area);
    layout->addWidget(m_text);
    layout->addWidget(m_enable);
    layout->addWidget(m_chequered);
    layout->addStretch();
    connect(m_enable, &QCheckBox::toggled, this, [this] {
        remember();
        refresh();
    });
    connect(m_chequered, &QCheckBox::toggled, this, [this] {
        remember();
        refresh();
    });
    refresh();
}

void FilePreviewPane::showFile(const QString& path) {
    m_path = QFileInfo(path).isFile() ? path : QString();
    refresh();
}

QString FilePreviewPane::text() const {
    return m_area->text().isEmpty() ? m_text->text() : m_area->text();
}

void FilePreviewPane::refresh() {
    m_picture = QImage();
    if (!m_enable->isChecked()) {
        m_area->clear();
        m_text->clear();
        return;
    }
    const DialogPreview preview = MakeDialogPreview(m_host, m_path.toStdString());
    m_picture = ToQImage(preview.picture);
    if (m_picture.isNull()) {
        m_area->setPixmap(QPixmap());
        m_area->setText(QString::fromStdString(preview.areaText));
    } else {
        m_area->setPixmap(FittedPicture(m_picture, kFilePreviewAreaSize, m_chequered->isChecked()));
    }
    m_text->setText(QString::fromStdString(preview.description));
}

void FilePreviewPane::remember() const {
    if (!HaveSettings()) return;
    Settings().boolSetting("ImageFilePreview.Enabled").setValue(m_enable->isChecked());
    Settings()
        .boolSetting("ImageFilePreview.ChequeredBackground")
        .setValue(m_chequered->isChecked());
}

} // namespace kv
