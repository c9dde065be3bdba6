#include "toolkit/MessageBoxDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kv {

bool MessageBoxDialog::s_open = false;

namespace {

QStyle::StandardPixmap PixmapFor(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QStyle::SP_MessageBoxCritical;
    case MessageIcon::Warning:
        return QStyle::SP_MessageBoxWarning;
    case MessageIcon::Question:
        return QStyle::SP_MessageBoxQuestion;
    case MessageIcon::Information:
        break;
    }
    return QStyle::SP_MessageBoxInformation;
}

} // namespace

MessageBoxDialog::MessageBoxDialog(QWidget* parent, MessageButtons buttons, MessageIcon icon,
                                   const QString& title, const QString& text,
                                   MessageResult defaultResult)
    : QDialog(parent) {
    setWindowTitle(title);
    setModal(true);

    auto* iconLabel = new QLabel(this);
    iconLabel->setPixmap(style()->standardIcon(PixmapFor(icon)).pixmap(48, 48));
    iconLabel->setAlignment(Qt::AlignTop);
    auto* textLabel = new QLabel(text, this);
    textLabel->setTextFormat(Qt::PlainText);
    textLabel->setWordWrap(true);
    textLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* top = new QHBoxLayout;
    top->addWidget(iconLabel);
    top->addWidget(textLabel, 1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(row);

    switch (buttons) {
    case MessageButtons::Ok:
        addButton("&OK", MessageResult::Ok);
        break;
    case MessageButtons::YesNo:
        addButton("&Yes", MessageResult::Yes);
        addButton("&No", MessageResult::No);
        break;
    case MessageButtons::OkCancel:
        addButton("&OK", MessageResult::Ok);
        addButton("&Cancel", MessageResult::Cancel);
        break;
    case MessageButtons::YesNoCancel:
        addButton("&Yes", MessageResult::Yes);
        addButton("&No", MessageResult::No);
        addButton("&Cancel", MessageResult::Cancel);
        break;
    }
    for (auto& [b, r] : m_buttons)
        row->addWidget(b);
    // Escape answers Cancel when offered, else the last button (No or OK).
    m_escapeResult = m_buttons.back().second;
    if (QPushButton* def = button(defaultResult)) {
        def->setDefault(true);
        def->setFocus();
    }
}

void MessageBoxDialog::addButton(const char* text, MessageResult result) {
    auto* b = new QPushButton(QString::fromUtf8(text), this);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, result] {
        m_result = result;
        accept();
    });
    m_buttons.emplace_back(b, result);
}

QPushButton* MessageBoxDialog::button(MessageResult result) const {
    for (const auto& [b, r] : m_buttons)
        if (r == result) return b;
    return nullptr;
}

void MessageBoxDialog::reject() {
    m_result = m_escapeResult;
    QDialog::reject();
}

MessageResult MessageBoxDialog::ask(QWidget* parent, MessageButtons buttons, MessageIcon icon,
                                    const QString& title, const QString& text,
                                    MessageResult defaultResult) {
    if (s_open) return MessageResult::None;
    s_open = true;
    MessageBoxDialog box(parent, buttons, icon, title, text, defaultResult);
    box.exec();
    s_open = false;
    return box.result();
}

} // namespace kv
