#include "ui/dialogs/NewImageDialog.h"

#include "model/Image.h"
#include "model/Project.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/dialogs/HelpTopics.h"
#include "ui/dialogs/TargetFormatGroup.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <array>

namespace kv {
namespace {

constexpr std::array kPresetSides{16, 24, 32, 48, 64, 96, 128, 256};
constexpr int kCustom = static_cast<int>(kPresetSides.size());

QString ImageCaption(const Image& image) {
    return QString("Image %1 (%2x%3, %4)")
        .arg(image.position())
        .arg(image.width())
        .arg(image.height())
        .arg(TargetFormatName(image.targetFormat()));
}

} // namespace

NewImageDialog::NewImageDialog(const NewImageValues& values, const Project* project,
                               QWidget* parent)
    : QDialog(parent), m_start(values) {
    setWindowTitle(values.forNewProject ? "New project :: new image" : "New image");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildSizeGroup());
    m_format = new TargetFormatGroup(values.targetFormat, this);
    layout->addWidget(m_format);
    layout->addWidget(buildOptionsGroup());
    if (!values.forNewProject && project) layout->addWidget(buildContentsGroup(*project));
    layout->addWidget(
        NewDialogButtons(*this, values.forNewProject ? help::kNewProject : help::kNewImage));
    const QImage clipboard = QApplication::clipboard()->image();
    setClipboardSize(clipboard.isNull() ? QSize() : clipboard.size());
    chooseSize(values.width, values.height);
}

QWidget* NewImageDialog::buildSizeGroup() {
    auto* group = new QGroupBox("Image size", this);
    auto* grid = new QGridLayout(group);
    m_presets = new QButtonGroup(group);
    for (std::size_t i = 0; i < kPresetSides.size(); ++i) {
        const int side = kPresetSides[i];
        auto* button = new QRadioButton(QString("%1x%1").arg(side), group);
        m_presets->addButton(button, static_cast<int>(i));
        grid->addWidget(button, static_cast<int>(i % 4), static_cast<int>(i / 4));
    }
    auto* custom = new QRadioButton("Custom:", group);
    m_presets->addButton(custom, kCustom);
    grid->addWidget(custom, 0, 2);
    m_width = NewSpinBox(group, 1, kMaxImageSide, m_start.width, "Width");
    m_height = NewSpinBox(group, 1, kMaxImageSide, m_start.height, "Height");
    auto* sizes = new QFormLayout;
    sizes->addRow("Width", m_width);
    sizes->addRow("Height", m_height);
    grid->addLayout(sizes, 1, 2, 2, 1);
    m_matchClipboard = new QPushButton("Match clipboard", group);
    grid->addWidget(m_matchClipboard, 3, 2);
    connect(m_matchClipboard, &QPushButton::clicked, this,
            [this] { chooseSize(m_clipboardSize.width(), m_clipboardSize.height()); });
    connect(m_presets, &QButtonGroup::idClicked, this, [this] { sizeChanged(); });
    connect(m_width, &QSpinBox::valueChanged, this, [this] { sizeChanged(); });
    connect(m_height, &QSpinBox::valueChanged, this, [this] { sizeChanged(); });
    return group;
}

QWidget* NewImageDialog::buildOptionsGroup() {
    auto* group = new QGroupBox("Options", this);
    auto* layout = new QVBoxLayout(group);
    m_supersampled = new QCheckBox("Supersampled", group);
    m_supersampled->setChecked(m_start.supersampled);
    m_notForExport = new QCheckBox("Not for export", group);
    m_notForExport->setChecked(m_start.notForExport);
    layout->addWidget(m_supersampled);
    layout->addWidget(m_notForExport);
    return group;
}

QWidget* NewImageDialog::buildContentsGroup(const Project& project) {
    auto* group = new QGroupBox("Contents", this);
    auto* layout = new QFormLayout(group);
    m_borrow = new QCheckBox("Borrow", group);
    m_borrowFrom = new QComboBox(group);
    m_borrowFrom->setAccessibleName("From:");
    for (std::int32_t i = 1; i <= project.imageCount(); ++i) {
        const Image& image = *project.imageAt(static_cast<std::uint32_t>(i));
        m_borrowFrom->addItem(ImageCaption(image), image.id());
        if (image.id() == m_start.borrowFromId ||
            (!m_start.borrowFromId && &image == project.currentImage()))
            m_borrowFrom->setCurrentIndex(m_borrowFrom->count() - 1);
    }
    m_borrow->setChecked(m_start.borrowFromId != 0);
    m_borrow->setEnabled(m_borrowFrom->count() > 0);
    m_borrowFrom->setEnabled(m_borrow->isChecked());
    connect(m_borrow, &QCheckBox::toggled, m_borrowFrom, &QComboBox::setEnabled);
    layout->addRow(m_borrow);
    layout->addRow("From:", m_borrowFrom);
    return group;
}

void NewImageDialog::setClipboardSize(QSize size) {
    const bool usable = size.isValid() && size.width() >= 1 && size.height() >= 1 &&
                        size.width() <= kMaxImageSide && size.height() <= kMaxImageSide;
    m_clipboardSize = usable ? size : QSize();
    m_matchClipboard->setEnabled(usable);
}

void NewImageDialog::chooseSize(int width, int height) {
    int preset = kCustom;
    for (std::size_t i = 0; i < kPresetSides.size(); ++i)
        if (width == kPresetSides[i] && height == kPresetSides[i]) preset = static_cast<int>(i);
    m_presets->button(preset)->setChecked(true);
    m_width->setValue(width);
    m_height->setValue(height);
    sizeChanged();
}

void NewImageDialog::sizeChanged() {
    const bool custom = m_presets->checkedId() == kCustom;
    m_width->setEnabled(custom);
    m_height->setEnabled(custom);
    // Supersampling is offered only while the image stays within the limit.
    const auto pixels = static_cast<std::uint64_t>(width()) * static_cast<std::uint64_t>(height());
    const bool allowed = pixels <= m_start.supersamplingLimit;
    m_supersampled->setEnabled(allowed);
    if (!allowed) m_supersampled->setChecked(false);
}

int NewImageDialog::width() const {
    const int id = m_presets->checkedId();
    return id >= 0 && id < kCustom ? kPresetSides[static_cast<std::size_t>(id)] : m_width->value();
}

int NewImageDialog::height() const {
    const int id = m_presets->checkedId();
    return id >= 0 && id < kCustom ? kPresetSides[static_cast<std::size_t>(id)] : m_height->value();
}

NewImageValues NewImageDialog::values() const {
    NewImageValues values = m_start;
    values.width = width();
    values.height = height();
    values.targetFormat = m_format->format();
    values.supersampled = m_supersampled->isEnabled() && m_supersampled->isChecked();
    values.notForExport = m_notForExport->isChecked();
    values.borrowFromId = m_borrow && m_borrow->isChecked() && m_borrowFrom->count() > 0
                              ? m_borrowFrom->currentData().toUInt()
                              : 0;
    return values;
}

} // namespace kv
