#include "ui/dialogs/AboutDialog.h"

#include "platform/ProcessValues.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

namespace kv {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Korvane");
    auto* name = new QLabel("Korvane", this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    auto* version =
        new QLabel("Version " + QString::fromStdString(FormatVersion(ReadProductVersion())), this);
    auto* home = new QLabel(QString("Homepage: <a href=\"%1\">%1</a>").arg(kHomePage), this);
    home->setTextFormat(Qt::RichText);
    home->setOpenExternalLinks(true);
    home->setTextInteractionFlags(Qt::TextBrowserInteraction);
    home->setAccessibleName("Homepage:");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(name), static_cast<QWidget*>(version),
                       static_cast<QWidget*>(home), static_cast<QWidget*>(buttons)})
        layout->addWidget(w);
}

} // namespace kv
