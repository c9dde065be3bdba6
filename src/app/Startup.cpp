#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/StartupSteps.h"
#include "commands/cli/ConvertCommand.h"
#include "commands/cli/ProjectInfo.h"
#include "commands/files/ProjectOpening.h"
#include "commands/files/RecoveryFile.h"
#include "commands/formats/HeadlessFormats.h"
#include "commands/formats/ProgramFormats.h"
#include "desktop/MimeTypes.h"
#include "desktop/Shell.h"
#include "platform/ErrorReporter.h"
#include "platform/ProcessValues.h"
#include "plugins/host/PluginHost.h"
#include "settings/Settings.h"
#include "toolkit/CWULError.h"
#include "toolkit/KorvaneApplication.h"
#include "toolkit/QtErrorReporter.h"
#include "toolkit/UiTicker.h"
#include "ui/MainWindow.h"
#include "ui/dialogs/ProgramDialogs.h"
#include "ui/menus/MainMenus.h"
#include "ui/text/QtTextRenderer.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace kv {
namespace {

std::vector<std::string> Arguments(int argc, char** argv) {
    std::vector<std::string> tokens;
    for (int i = 1; i < argc; ++i)
        if (argv[i] && *argv[i]) tokens.emplace_back(argv[i]);
    return tokens;
}

// The headless commands: the stored settings apply (relaxed checks,
// compression), the plug-ins are loaded as for a windowed start, errors go
// to standard error.
int RunHeadless(const CommandLine& line) {
    if (!line.error.empty()) {
        std::fprintf(stderr, "korvane: %s\n", line.error.c_str());
        return 1;
    }
    CreateSettings();
    LoadSettings();
    LoadPlugins();
    const PluginHost& plugins = *LoadedPlugins();
    std::string out, error;
    int code = 1;
    switch (line.startSwitch) {
    case StartSwitch::Info:
        code = RunFileInfoCommand(plugins, line.path, out, error);
        break;
    case StartSwitch::Thumbnail:
        code = RunThumbnailCommand(plugins, line.path, line.outputPath, line.thumbnailSize, error);
        break;
    default:
        code = RunFileConvertCommand(plugins, line.path, line.outputPath, line.convert, error);
        break;
    }
    UnloadPlugins();
    DestroySettings();
    std::fputs(out.c_str(), stdout);
    if (!error.empty()) std::fprintf(stderr, "korvane: %s\n", error.c_str());
    return code;
}

// -r: the desktop entry also offers to open the picture types the plug-ins
// read.
int RunRegister() {
    LoadPlugins();
    const std::vector<std::string> types =
        MimeTypesOfExtensions(PluginReadableExtensions(*LoadedPlugins()));
    UnloadPlugins();
    return RegisterShellExitCode(Process().executablePath, types);
}

// Switches that end the program before any window: help, version, -r, -u,
// --info, --convert, --thumbnail.
bool RunWithoutWindow(const CommandLine& line, int& exitCode) {
    switch (line.startSwitch) {
    case StartSwitch::Help:
        std::fputs(UsageText(), stdout);
        exitCode = 0;
        return true;
    case StartSwitch::Version:
        std::printf("Korvane %s\n", FormatVersion(Process().productVersion).c_str());
        exitCode = 0;
        return true;
    case StartSwitch::Register:
        exitCode = RunRegister();
        return true;
    case StartSwitch::Unregister:
        exitCode = UnregisterShellExitCode(Process().executablePath);
        return true;
    case StartSwitch::Info:
    case StartSwitch::Convert:
    case StartSwitch::Thumbnail:
        exitCode = RunHeadless(line);
        return true;
    default:
        return false;
    }
}

// The primary screen's work area, which the main window's defaults come from.
Rect WorkArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return kFallbackWorkArea;
    const QRect r = screen->availableGeometry();
    return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void SecondInitialization(UiTicker& ticker) {
    LoadFontList();
    CreateSettings(WorkArea());
    LoadPlugins();
    BuildShortcutTable();
    BuildDefaultSwatchSet();
    ticker.start();
}

void ShutDownAfterNormalRun(UiTicker& ticker) {
    ticker.stop();
    ClearSwatchSet();
    DeselectCurrentTool();
    UnloadPlugins();
    EndUndoHistory();
    DestroySettings();
    ReleaseFontList();
}

// The dialogs the menus open beside the commands' own.
void AttachProgramDialogs(MainWindow& window) {
    MainMenus& menus = window.menus();
    menus.setDialog(MainMenus::Dialog::Options, [&window] { RunOptionsDialog(&window); });
    menus.setDialog(MainMenus::Dialog::About, [&window] { RunAboutDialog(&window); });
    if (const PluginHost* plugins = LoadedPlugins())
        menus.setDialog(MainMenus::Dialog::Plugins,
                        [&window, plugins] { RunPluginsDialog(&window, *plugins); });
}

void OpenStartupPathLater(MainWindow& window, FormatLibrary& formats, const CommandLine& line) {
    if (line.path.empty()) return;
    if (line.startSwitch != StartSwitch::None && line.startSwitch != StartSwitch::Import) return;
    // Let the window draw first, then open the file.
    const bool import = line.startSwitch == StartSwitch::Import;
    QTimer::singleShot(0, &window, [&window, &formats, path = line.path, import] {
        OpenStartupFile(window.commandHost(), formats, path, import);
        window.showCurrentProject();
    });
}

int RunWindowed(int& argc, char** argv, const CommandLine& line) {
    KorvaneApplication app(argc, argv);
    InstallFatalErrorRescue(app);
    QtErrorReporter reporter;
    ErrorReporter* previous = InstallErrorReporter(&reporter);
    int exitCode = -1;
    try {
        UiTicker ticker;
        SecondInitialization(ticker);
        LoadSettings();
        ApplyUndoLimits();
        RegisterFileTypesIfWanted(Process().executablePath);
        InstallQtTextRenderer();
        MainWindow window;
        window.useFormats(ProgramFormats());
        window.commandHost().setPluginHost(LoadedPlugins());
        AttachProgramDialogs(window);
        reporter.setOwner(&window);
        window.showAtSavedPlacement();
        OpenStartupPathLater(window, ProgramFormats(), line);
        app.exec();
        // An error ended the run: its box has been shown, nothing is saved.
        if (!app.endedByError()) {
            SaveSettings();
            exitCode = 0;
            ShutDownAfterNormalRun(ticker);
        }
    } catch (const CWULError& error) {
        if (error.code() != 0)
            QMessageBox::critical(nullptr, kToolkitErrorTitle,
                                  QString::fromUtf8(error.text().c_str()));
    } catch (...) {
        ReportCurrentException();
    }
    InstallErrorReporter(previous);
    return exitCode;
}

} // namespace

void InstallFatalErrorRescue(KorvaneApplication& app) {
    app.setRescueHook(RescueOpenProject);
}

int RunKorvane(int argc, char** argv) {
    StartStreamLibrary();
    int exitCode = -1;
    // The windowed run reports its own failures with the program's boxes;
    // this catches what ends a run before or without a window (the default
    // reporter writes to standard error then). The exit code stays -1.
    try {
        if (InitializeApplication()) {
            const CommandLine line = ParseCommandLine(Arguments(argc, argv), PathExists);
            StartUndoHistory();
            if (!RunWithoutWindow(line, exitCode)) exitCode = RunWindowed(argc, argv, line);
        }
    } catch (...) {
        ReportCurrentException();
    }
    ReleaseInstanceMarker();
    StopStreamLibrary();
    return exitCode;
}

} // namespace kv
