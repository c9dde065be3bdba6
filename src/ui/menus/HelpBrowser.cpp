#include "ui/menus/HelpBrowser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kv {
namespace {

QString FindFolder() {
    for (const QString& folder : HelpBrowser::candidateFolders())
        if (QFileInfo(folder).isDir()) return QDir::cleanPath(folder);
    return {};
}

} // namespace

QStringList HelpBrowser::candidateFolders() {
    const QString bin = QCoreApplication::applicationDirPath();
    return {bin + "/help", bin + "/../share/korvane/help", bin + "/../../help"};
}

HelpBrowser::HelpBrowser(QWidget* parent)
    : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this)), m_folder(FindFolder()) {
    setWindowTitle("Korvane Help");
    setAccessibleName("Korvane Help");
    m_browser->setAccessibleName("Help topic");
    m_browser->setOpenExternalLinks(true);
    if (!m_folder.isEmpty()) m_browser->setSearchPaths({m_folder});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 560);
}

void HelpBrowser::showTopic(const QString& topic) {
    const QString path = m_folder.isEmpty() ? QString() : m_folder + "/" + topic;
    if (!path.isEmpty() && QFileInfo(path).isFile())
        m_browser->setSource(QUrl::fromLocalFile(path));
    else
        showMissing(topic);
    show();
    raise();
    activateWindow();
}

void HelpBrowser::showMissing(const QString& topic) {
    m_browser->setHtml(
        "<h1>Topic not found</h1><p>The help topic <b>" + topic.toHtmlEscaped() +
        "</b> is not installed" +
        (m_folder.isEmpty() ? QString(".") : " in <tt>" + m_folder.toHtmlEscaped() + "</tt>.") +
        "</p>");
}

} // namespace kv
