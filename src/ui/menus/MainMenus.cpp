#include "ui/menus/MainMenus.h"

#include "commands/edit/EditCommands.h"
#include "commands/files/ProjectOpening.h"
#include "commands/files/ProjectSaving.h"
#include "model/Project.h"
#include "platform/ErrorReporter.h"
#include "platform/ProcessValues.h"
#include "ui/ClipboardExchange.h"
#include "ui/MainWindow.h"
#include "ui/QtCommandHost.h"
#include "ui/dialogs/HelpWindow.h"
#include "ui/menus/FileDropFilter.h"
#include "ui/menus/ShortcutTable.h"
#include "ui/menus/ToolbarIcons.h"
#include "ui/view/MainView.h"

#include <QAction>
#include <QActionGroup>
#include <QShortcut>
#include <QToolBar>

namespace kv {
namespace {

struct ToolbarButton {
    const char* item; // the menu item's text, or null for a view mode
    const char* toolTip;
    ToolbarPicture picture;
};

} // namespace

MainMenus::MainMenus(MainWindow& window, QtCommandHost& host, ClipboardExchange& clipboard)
    : QObject(&window), m_window(window), m_host(host), m_clipboard(clipboard),
      m_items(new CommandItems(this)), m_pasteAvailable(clipboard.hasUsableData()) {
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    buildImageMenu();
    buildLayerMenu();
    buildToolsMenu();
    buildHelpMenu();
    buildToolbar();
    buildEscape();
    m_items->setAfterCommand([this] { m_window.refreshTitle(); });

    MainView& view = m_window.view();
    // The commands see the view's mode and centre (pasting, erasing).
    m_host.setChannelMode(view.channelMode());
    m_host.setViewCentre([&view]() -> std::optional<ImagePoint> {
        if (!view.image()) return std::nullopt;
        return view.layout().centreAnchor();
    });
    connect(&view, &MainView::channelModeChanged, this, [this](ChannelMode mode) {
        m_host.setChannelMode(mode);
        showMode(mode);
        refresh();
    });
    connect(&view, &MainView::zoomLevelChanged, this, [this] { refresh(); });
    connect(&view, &MainView::imageEdited, this, [this] {
        m_window.refreshTitle();
        refresh();
    });
    connect(&clipboard, &ClipboardExchange::pasteAvailabilityChanged, this, [this](bool available) {
        m_pasteAvailable = available;
        refresh();
    });
    m_drops = new FileDropFilter(m_window, [this](const QString& path) { openDroppedFile(path); });
    refresh();
}

MainMenus::~MainMenus() {
    // Drops go with the menus that answer them.
    delete m_drops;
    m_host.setViewCentre({});
}

void MainMenus::buildToolbar() {
    static const ToolbarButton kButtons[] = {
        {"&New...", "New file", ToolbarPicture::NewFile},
        {"&Open...", "Open file", ToolbarPicture::OpenFile},
        {"&Save", "Save file", ToolbarPicture::SaveFile},
        {nullptr, nullptr, ToolbarPicture::NewFile},
        {"Cu&t", "Cut", ToolbarPicture::Cut},
        {"&Copy", "Copy", ToolbarPicture::Copy},
        {"&Paste", "Paste", ToolbarPicture::Paste},
        {nullptr, nullptr, ToolbarPicture::NewFile},
        {"&Undo", "Undo", ToolbarPicture::Undo},
        {"&Redo", "Redo", ToolbarPicture::Redo},
        {nullptr, nullptr, ToolbarPicture::NewFile},
        {"Zoom &In", "Zoom In", ToolbarPicture::ZoomIn},
        {"Zoom &Out", "Zoom Out", ToolbarPicture::ZoomOut},
        {nullptr, nullptr, ToolbarPicture::NewFile},
        {"&Normal", "Normal View", ToolbarPicture::NormalView},
        {"&Color only", "Color Only", ToolbarPicture::ColorOnly},
        {"&Alpha only", "Alpha Only", ToolbarPicture::AlphaOnly},
    };
    m_toolbar = m_window.addToolBar("Main toolbar");
    m_toolbar->setObjectName("MainToolbar");
    m_toolbar->setAccessibleName("Main toolbar");
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->setMovable(false);
    for (const ToolbarButton& button : kButtons) {
        if (!button.item) {
            m_toolbar->addSeparator();
            continue;
        }
        QAction* action = m_items->find(QString::fromUtf8(button.item));
        action->setIcon(ToolbarIcon(button.picture));
        action->setToolTip(button.toolTip);
        m_toolbar->addAction(action);
        if (QWidget* widget = m_toolbar->widgetForAction(action))
            widget->setAccessibleName(button.toolTip);
    }
}

void MainMenus::buildEscape() {
    // Escape takes the keyboard back to the view, from a panel's edit box
    // for instance.
    auto* escape = new QShortcut(QKeySequence(FocusViewKey()), &m_window);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this,
            [this] { m_window.view().setFocus(Qt::ShortcutFocusReason); });
}

void MainMenus::setDialog(Dialog dialog, std::function<void()> run) {
    m_dialogs[static_cast<int>(dialog)] = std::move(run);
    refresh();
}

bool MainMenus::hasDialog(Dialog dialog) const {
    return static_cast<bool>(m_dialogs[static_cast<int>(dialog)]);
}

bool MainMenus::runDialog(Dialog dialog) {
    if (const auto& run = m_dialogs[static_cast<int>(dialog)]) {
        run();
        return true;
    }
    if (dialog != Dialog::About) return false;
    AppMessageBox(MessageButtons::Ok, MessageIcon::Information, "About Korvane",
                  "Korvane\nVersion " + FormatVersion(ReadProductVersion()), MessageResult::Ok);
    return true;
}

void MainMenus::refresh() {
    refreshEditTexts();
    m_items->refresh();
}

void MainMenus::refreshEditTexts() {
    const EditCommands edit(m_host);
    m_undo->setText(QString::fromStdString(edit.undoText()));
    m_redo->setText(QString::fromStdString(edit.redoText()));
}

void MainMenus::showMode(ChannelMode mode) {
    for (QAction* action : m_modes->actions())
        action->setChecked(action->data().toInt() == static_cast<int>(mode));
}

bool MainMenus::openDroppedFile(const QString& path) {
    m_window.raise();
    m_window.activateWindow();
    if (CurrentProject() && !AskToSaveChanges(m_host, SaveChangesMode::Ask)) return false;
    const bool opened = OpenFileAsProject(m_host, formats(), path.toStdString(), false);
    m_window.showCurrentProject();
    m_window.refreshTitle();
    refresh();
    return opened;
}

void MainMenus::showHelp(const QString& topic) {
    ShowHelpTopic(topic, &m_window);
}

} // namespace kv
