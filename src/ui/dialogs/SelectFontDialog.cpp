#include "ui/dialogs/SelectFontDialog.h"

#include "ui/dialogs/DialogParts.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kv {

SelectFontDialog::SelectFontDialog(const std::string& current, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)), m_sample(new QLabel("AaBbYyZz 0123", this)) {
    setWindowTitle("Select a font");
    m_list->setAccessibleName("Fonts");
    m_sample->setAccessibleName("Sample text");
    m_sample->setMinimumHeight(48);
    m_sample->setFrameShape(QFrame::StyledPanel);
    m_list->addItems(QFontDatabase::families());
    const auto found = m_list->findItems(QString::fromStdString(current), Qt::MatchFixedString);
    if (!found.isEmpty()) m_list->setCurrentItem(found.front());
    connect(m_list, &QListWidget::currentTextChanged, this, [this](const QString& family) {
        QFont font(family);
        font.setPointSize(16);
        m_sample->setFont(font);
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_sample);
    layout->addWidget(NewDialogButtons(*this, QString()));
}

std::string SelectFontDialog::family() const {
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->text().toStdString() : std::string();
}

std::optional<std::string> ChooseFontFamily(const std::string& current, QWidget* parent) {
    SelectFontDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.family().empty()) return std::nullopt;
    return dialog.family();
}

} // namespace kv
