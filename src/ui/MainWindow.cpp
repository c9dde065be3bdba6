#include "ui/MainWindow.h"

#include "commands/ProjectOpening.h"
#include "commands/ProjectSaving.h"
#include "model/Project.h"
#include "settings/Settings.h"

#include <QCloseEvent>

namespace kv {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), m_host(this, m_clipboard) {
    m_host.setRefresher([this](RefreshScope) { refreshTitle(); });
    refreshTitle();
    resize(960, 720);
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
