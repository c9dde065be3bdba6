#include "ui/dialogs/HelpWindow.h"

#include "ui/dialogs/HelpTopics.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace kv {
namespace {

// Beside the window it was asked from when there is room on that screen,
// otherwise over its middle: never off the screen's edge.
QPoint PlaceBeside(const QWidget& help, const QWidget& owner) {
    const QRect frame = owner.frameGeometry();
    const QScreen* screen = owner.screen();
    const QRect room = screen ? screen->availableGeometry() : frame;
    QRect place(frame.topRight() + QPoint(1, 0), help.size());
    if (!room.contains(place)) place.moveCenter(frame.center());
    place.moveLeft(
        std::clamp(place.left(), room.left(), std::max(room.left(), room.right() - place.width())));
    place.moveTop(
        std::clamp(place.top(), room.top(), std::max(room.top(), room.bottom() - place.height())));
    return place.topLeft();
}

} // namespace

QString HelpFolder() {
    const QString fromEnvironment = qEnvironmentVariable("KORVANE_HELP_DIR");
    if (!fromEnvironment.isEmpty()) return QDir(fromEnvironment).absolutePath();
    return QDir(QCoreApplication::applicationDirPath() + "/../share/korvane/help").absolutePath();
}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this)) {
    setWindowTitle("Korvane Help");
    setAccessibleName("Korvane Help");
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto* back = new QPushButton("Back", this);
    auto* forward = new QPushButton("Forward", this);
    auto* contents = new QPushButton("Contents", this);
    for (QPushButton* button : {back, forward, contents})
        bar->addWidget(button);
    bar->addStretch();
    layout->addLayout(bar);
    layout->addWidget(m_browser);
    m_browser->setAccessibleName("Help topic");
    m_browser->setSearchPaths({HelpFolder()});
    // Links to web pages go to the browser of the desktop.
    m_browser->setOpenExternalLinks(true);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this, [this] { showTopic(help::kContents); });
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    resize(640, 560);
}

bool HelpWindow::showTopic(const QString& topic) {
    const QString path = HelpFolder() + "/" + topic;
    if (!QFileInfo::exists(path)) {
        m_browser->setHtml("<h1>Help</h1><p>The help topic <b>" + topic.toHtmlEscaped() +
                           "</b> was not found in " + HelpFolder().toHtmlEscaped() + ".</p>");
        return false;
    }
    m_browser->setSource(QUrl::fromLocalFile(path));
    return true;
}

HelpWindow& HelpWindow::instance() {
    static QPointer<HelpWindow> window;
    if (!window) {
        window = new HelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *window;
}

void ShowHelpTopic(const QString& topic, QWidget* near) {
    HelpWindow& window = HelpWindow::instance();
    window.showTopic(topic);
    if (near && !window.isVisible()) window.move(PlaceBeside(window, *near->window()));
    window.show();
    window.raise();
    window.activateWindow();
}

void InstallHelpKey(QWidget& window, const QString& topic) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    QObject::connect(key, &QShortcut::activated, &window,
                     [topic, &window] { ShowHelpTopic(topic, &window); });
}

} // namespace kv
