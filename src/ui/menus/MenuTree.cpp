// The menu bar's menus and items, in order (their keys: ShortcutTable.cpp).
#include "commands/edit/ClipboardCommands.h"
#include "commands/edit/EditCommands.h"
#include "commands/files/ImportExportCommands.h"
#include "commands/files/ProjectCommands.h"
#include "commands/image/ImageCommands.h"
#include "commands/image/LayerCommands.h"
#include "ui/MainWindow.h"
#include "ui/dialogs/HelpTopics.h"
#include "ui/menus/MainMenus.h"
#include "ui/menus/ToolboxMenu.h"
#include "ui/menus/WebPages.h"
#include "ui/view/MainView.h"

#include <QActionGroup>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>

namespace kv {
namespace {

bool OpenUrl(const char* url) {
    return QDesktopServices::openUrl(QUrl(QString::fromUtf8(url)));
}

} // namespace

QMenu* MainMenus::addMenu(const char* title) {
    QMenu* menu = m_window.menuBar()->addMenu(QString::fromUtf8(title));
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        if (menu->actions().contains(m_undo)) refreshEditTexts();
        m_items->refresh(menu);
    });
    return menu;
}

void MainMenus::buildFileMenu() {
    QMenu* m = addMenu("&File");
    CommandItems& it = *m_items;
    auto project = [this] { return ProjectCommands(m_host, formats()); };
    auto files = [this] { return ImportExportCommands(m_host, formats()); };
    it.add(m, "&New...", [=] { return project().newProject(); });
    it.add(m, "&Open...", [=] { return project().open(); });
    it.add(
        m, "&Save", [=] { return project().save(); }, [=] { return project().canSave(); });
    it.add(
        m, "Save &As...", [=] { return project().saveAs(); }, [=] { return project().canSave(); });
    it.add(
        m, "&Close", [=] { return project().close(); }, [=] { return project().canClose(); });
    m->addSeparator();
    it.add(
        m, "&Import...", [=] { return files().importProject(); },
        [=] { return files().canImportProject(); });
    it.add(
        m, "&Export...", [=] { return files().exportProject(); },
        [=] { return files().canExportProject(); });
    m->addSeparator();
    it.add(m, "E&xit", [this] { return m_window.close(); });
}

void MainMenus::buildEditMenu() {
    QMenu* m = addMenu("&Edit");
    CommandItems& it = *m_items;
    auto edit = [this] { return EditCommands(m_host); };
    auto clip = [this] { return ClipboardCommands(m_host, formats()); };
    m_undo = it.add(
        m, "&Undo", [=] { return edit().undo(); }, [=] { return edit().canUndo(); });
    m_redo = it.add(
        m, "&Redo", [=] { return edit().redo(); }, [=] { return edit().canRedo(); });
    m->addSeparator();
    auto canCopy = [=] { return clip().canCopy(); };
    it.add(
        m, "Cu&t", [=] { return clip().cut(); }, canCopy);
    it.add(
        m, "&Copy", [=] { return clip().copy(); }, canCopy);
    it.add(
        m, "C&opy Merged", [=] { return clip().copyMerged(); }, canCopy);
    it.add(
        m, "&Paste", [=] { return clip().paste(); },
        [=, this] { return m_pasteAvailable && clip().canPaste(); });
    // Enabled with an image, so that the key beeps where it cannot erase.
    it.add(
        m, "&Erase", [=] { return edit().erase(); },
        [this] { return ImageCommands(m_host).hasImage(); });
    m->addSeparator();
    it.add(
        m, "Select &All", [=] { return edit().selectAll(); },
        [=] { return edit().canSelectAll(); });
    QMenu* selection = m->addMenu("&Selection");
    it.add(
        selection, "&Deselect", [=] { return edit().deselect(); },
        [=] { return edit().canDeselect(); });
    it.add(
        selection, "&Invert", [=] { return edit().invertSelection(); },
        [=] { return edit().canInvert(); });
}

void MainMenus::addViewMode(QMenu* menu, const char* text, ChannelMode mode) {
    QAction* action = m_items->add(menu, text, [this, mode] {
        m_window.view().setChannelMode(mode);
        return true;
    });
    action->setCheckable(true);
    action->setData(static_cast<int>(mode));
    m_modes->addAction(action);
}

void MainMenus::buildViewMenu() {
    QMenu* m = addMenu("&View");
    CommandItems& it = *m_items;
    MainView& view = m_window.view();
    auto shown = [&view] { return view.image() != nullptr; };
    it.add(
        m, "Zoom &In", [&view] { return view.zoomIn(), true; },
        [&view] { return view.image() && view.zoomLevel() < 8; });
    it.add(
        m, "Zoom &Out", [&view] { return view.zoomOut(), true; },
        [&view] { return view.image() && view.zoomLevel() > 0; });
    it.add(
        m, "Zoom to &Fit", [&view] { return view.zoomToFit(), true; }, shown);
    m->addSeparator();
    m_modes = new QActionGroup(this);
    m_modes->setExclusive(true);
    addViewMode(m, "&Normal", ChannelMode::Normal);
    addViewMode(m, "&Color only", ChannelMode::ColorOnly);
    addViewMode(m, "&Alpha only", ChannelMode::AlphaOnly);
    showMode(view.channelMode());
}

void MainMenus::buildImageMenu() {
    QMenu* m = addMenu("&Image");
    CommandItems& it = *m_items;
    auto image = [this] { return ImageCommands(m_host); };
    auto files = [this] { return ImportExportCommands(m_host, formats()); };
    auto has = [=] { return image().hasImage(); };
    it.add(
        m, "&New...", [=] { return image().newImage(); }, [=] { return image().canNewImage(); });
    it.add(
        m, "Dele&te", [=] { return image().deleteImage(); }, has);
    it.add(
        m, "&Properties...", [=] { return image().properties(); }, has);
    m->addSeparator();
    it.add(
        m, "&Crop to Selection", [=] { return image().cropToSelection(); },
        [=] { return image().canCrop(); });
    m->addSeparator();
    it.add(
        m, "P&revious", [=] { return image().previous(); }, [=] { return image().canPrevious(); });
    it.add(
        m, "&Next", [=] { return image().next(); }, [=] { return image().canNext(); });
    m->addSeparator();
    it.add(
        m, "Move &Up", [=] { return image().moveUp(); }, [=] { return image().canMoveUp(); });
    it.add(
        m, "Move &Down", [=] { return image().moveDown(); }, [=] { return image().canMoveDown(); });
    m->addSeparator();
    it.add(
        m, "Flip &Horizontal", [=] { return image().flipHorizontal(); }, has);
    it.add(
        m, "Flip &Vertical", [=] { return image().flipVertical(); }, has);
    m->addSeparator();
    it.add(
        m, "Rotate &90° CW", [=] { return image().rotateClockwise(); }, has);
    it.add(
        m, "Rotate 9&0° CCW", [=] { return image().rotateCounterClockwise(); }, has);
    it.add(
        m, "Rotate &180°", [=] { return image().rotate180(); }, has);
    m->addSeparator();
    it.add(
        m, "&Import...", [=] { return files().importImage(); },
        [=] { return files().canImportImage(); });
    it.add(
        m, "&Export...", [=] { return files().exportImage(); },
        [=] { return files().canExportImage(); });
}

void MainMenus::buildLayerMenu() {
    QMenu* m = addMenu("&Layer");
    CommandItems& it = *m_items;
    auto layer = [this] { return LayerCommands(m_host); };
    auto has = [=] { return layer().hasImage(); };
    auto current = [=] { return layer().hasCurrentLayer(); };
    QMenu* add = m->addMenu("&New");
    it.add(
        add, "&Layer", [=] { return layer().newLayer(); }, has);
    // Enabled with an image, so that the key beeps where the image is too
    // large for supersampling.
    it.add(
        add, "&Supersampled layer", [=] { return layer().newSupersampledLayer(); }, has);
    it.add(
        m, "Dele&te", [=] { return layer().deleteLayer(); }, has);
    it.add(
        m, "&Properties...", [=] { return layer().properties(); },
        [=] { return layer().canProperties(); });
    m->addSeparator();
    it.add(
        m, "&Duplicate", [=] { return layer().duplicate(); }, current);
    it.add(
        m, "&Merge Down", [=] { return layer().mergeDown(); },
        [=] { return layer().canMergeDown(); });
    it.add(
        m, "Merge &All", [=] { return layer().mergeAll(); }, has);
    m->addSeparator();
    it.add(
        m, "Next &Up", [=] { return layer().nextUp(); }, [=] { return layer().canNextUp(); });
    it.add(
        m, "Next Do&wn", [=] { return layer().nextDown(); }, [=] { return layer().canNextDown(); });
    m->addSeparator();
    it.add(
        m, "Bring to F&ront", [=] { return layer().bringToFront(); }, current);
    it.add(
        m, "Move &Forward", [=] { return layer().moveForward(); },
        [=] { return layer().canMoveForward(); });
    it.add(
        m, "Move &Backward", [=] { return layer().moveBackward(); },
        [=] { return layer().canMoveBackward(); });
    it.add(
        m, "Send to Bac&k", [=] { return layer().sendToBack(); }, current);
}

void MainMenus::buildToolsMenu() {
    QMenu* m = addMenu("&Tools");
    CommandItems& it = *m_items;
    it.add(
        m, "&Plugins...", [this] { return runDialog(Dialog::Plugins); },
        [this] { return hasDialog(Dialog::Plugins); });
    it.add(
        m, "&Options...", [this] { return runDialog(Dialog::Options); },
        [this] { return hasDialog(Dialog::Options); });
    m->addSeparator();
    AddToolboxMenu(*m, m_window);
}

void MainMenus::buildHelpMenu() {
    QMenu* m = addMenu("&Help");
    CommandItems& it = *m_items;
    it.add(m, "&Contents", [this] { return showHelp(help::kContents), true; });
    it.add(m, "&Keyboard Shortcuts", [this] { return showHelp(help::kKeyboard), true; });
    m->addSeparator();
    QMenu* home = m->addMenu("&Home Page");
    it.add(home, "&Primary", [] { return OpenUrl(kMakerHomePage); });
    it.add(home, "&Alternate", [] { return OpenUrl(kProductHomePage); });
    it.add(m, "&Feedback", [] { return OpenUrl(kSupportPage); });
    it.add(m, "&Support", [] { return OpenUrl(kSupportPage); });
    m->addSeparator();
    it.add(m, "&About...", [this] { return runDialog(Dialog::About); });
}

} // namespace kv
