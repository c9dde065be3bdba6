#include "ui/MainWindow.h"

#include "commands/files/ProjectOpening.h"
#include "commands/files/ProjectSaving.h"
#include "editing/actions/ActionSupport.h"
#include "model/Project.h"
#include "settings/Settings.h"
#include "ui/menus/MainMenus.h"
#include "ui/panels/WindowPanels.h"
#include "ui/view/MainView.h"

#include <QCloseEvent>

namespace kv {
namespace {

SettingsStore& ViewSettingsOf(std::unique_ptr<SettingsStore>& fallback) {
    if (HaveSettings()) return Settings();
    fallback = std::make_unique<SettingsStore>(std::string());
    return *fallback;
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), m_host(this, m_clipboard) {
    m_host.setRefresher([this](RefreshScope scope) {
        refreshTitle();
        if (m_view) showCurrentProject();
        if (m_menus) m_menus->refresh();
        if (m_panels) m_panels->refresh(scope);
    });
    refreshTitle();
    resize(960, 720);
    m_view = new MainView(ViewSettingsOf(m_defaultSettings), this);
    setCentralWidget(m_view);
    m_menus = new MainMenus(*this, m_host, m_clipboard);
    // Undo, redo and the other actions change the image behind the view.
    SetActionRefreshHandler([this](Image& image) {
        if (&image == m_view->image()) m_view->imageChanged();
        if (m_panels) m_panels->imageChanged(image);
    });
    m_panels = new WindowPanels(*this, *m_view, m_host);
}

MainWindow::~MainWindow() {
    SetActionRefreshHandler({});
    // The panels talk to the view; the view goes before the settings it reads.
    delete m_panels;
    m_panels = nullptr;
    delete m_menus;
    m_menus = nullptr;
    delete m_view;
    m_view = nullptr;
}

void MainWindow::showCurrentProject() {
    const Project* project = CurrentProject();
    Image* image = project ? project->currentImage() : nullptr;
    // An image that is no longer in the project went with its project.
    bool kept = false;
    for (std::int32_t i = 1; project && i <= project->imageCount(); ++i)
        kept = kept || project->imageAt(static_cast<std::uint32_t>(i)) == m_view->image();
    if (!kept) m_view->releaseImage();
    m_view->setImage(image);
}

void MainWindow::useFormats(FormatLibrary& formats) {
    m_menus->useFormats(formats);
}

bool MainWindow::chooseTool(ToolId id) {
    return m_view->selectTool(id);
}

void MainWindow::refreshTitle() {
    QString title = "Korvane";
    if (const Project* project = CurrentProject()) {
        title += " - " + QString::fromStdString(project->name());
        if (project->hasUnsavedChanges()) title += "*";
    }
    setWindowTitle(title);
}

void MainWindow::showAtSavedPlacement() {
    if (!HaveSettings()) {
        show();
        return;
    }
    const SettingsStore& s = Settings();
    const int width = s.signedValue("MainWindow.Size.Width");
    const int height = s.signedValue("MainWindow.Size.Height");
    if (width > 0 && height > 0) {
        setGeometry(s.signedValue("MainWindow.Position.Left"),
                    s.signedValue("MainWindow.Position.Top"), width, height);
    }
    // A window that was minimized at exit comes back normal: starting an
    // editor into the task bar only hides it.
    if (s.boolValue("MainWindow.Maximized"))
        showMaximized();
    else
        show();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (CurrentProject()) {
        if (!AskToSaveChanges(m_host, SaveChangesMode::Ask)) {
            event->ignore();
            return;
        }
        DiscardOpenProject(m_host);
    }
    savePlacement();
    event->accept();
}

void MainWindow::savePlacement() const {
    if (!HaveSettings()) return;
    SettingsStore& s = Settings();
    // The normal client rectangle, also while maximized, so that
    // un-maximizing after the next start lands where the user had the window.
    // Client geometry, not the frame: window managers differ in frame sizes.
    const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    s.signedSetting("MainWindow.Position.Left").setValue(normal.left());
    s.signedSetting("MainWindow.Position.Top").setValue(normal.top());
    s.signedSetting("MainWindow.Size.Width").setValue(normal.width());
    s.signedSetting("MainWindow.Size.Height").setValue(normal.height());
    s.boolSetting("MainWindow.Maximized").setValue(isMaximized());
    s.boolSetting("MainWindow.Minimized").setValue(isMinimized());
}

} // namespace kv
