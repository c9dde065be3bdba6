#include "ui/dialogs/SelectImageDialog.h"

#include "model/Image.h"
#include "model/Project.h"
#include "ui/dialogs/DialogParts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kv {
namespace {

constexpr int kIconSide = 64;

} // namespace

SelectImageDialog::SelectImageDialog(const SelectImageValues& values, QWidget* parent)
    : QDialog(parent), m_start(values), m_list(new QListWidget(this)),
      m_chequered(new QCheckBox("Chequered background", this)) {
    setWindowTitle("Select an image");
    m_list->setAccessibleName("Images");
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(kIconSide, kIconSide));
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_list->setSpacing(6);
    m_list->setMinimumSize(360, 240);
    const Project* project = values.project;
    for (std::int32_t i = 1; project && i <= project->imageCount(); ++i) {
        const Image& image = *project->imageAt(static_cast<std::uint32_t>(i));
        m_list->addItem(QString("%1x%2\n%3")
                            .arg(image.width())
                            .arg(image.height())
                            .arg(TargetFormatName(image.targetFormat())));
    }
    fillIcons();
    if (m_list->count() > 0)
        m_list->setCurrentRow(
            std::clamp<int>(static_cast<int>(values.chosen) - 1, 0, m_list->count() - 1));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_chequered);
    QDialogButtonBox* buttons = NewDialogButtons(*this, QString());
    layout->addWidget(buttons);
    connect(m_chequered, &QCheckBox::toggled, this, [this] { fillIcons(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

void SelectImageDialog::fillIcons() {
    const Project* project = m_start.project;
    for (int row = 0; project && row < m_list->count(); ++row) {
        const Image& image = *project->imageAt(static_cast<std::uint32_t>(row + 1));
        m_list->item(row)->setIcon(
            QIcon(FittedPicture(ToQImage(image.composite()), kIconSide, m_chequered->isChecked())));
    }
}

SelectImageValues SelectImageDialog::values() const {
    SelectImageValues values = m_start;
    if (m_list->currentRow() >= 0)
        values.chosen = static_cast<std::uint32_t>(m_list->currentRow() + 1);
    return values;
}

} // namespace kv
