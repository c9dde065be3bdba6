#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/StartupSteps.h"
#include "platform/ErrorReporter.h"
#include "platform/Exceptions.h"
#include "platform/ProcessValues.h"
#include "toolkit/CWULError.h"
#include "toolkit/KorvaneApplication.h"
#include "toolkit/QtErrorReporter.h"
#include "toolkit/UiTicker.h"
#include "ui/MainWindow.h"

#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace kv {
namespace {

std::vector<std::string> Arguments(int argc, char** argv) {
    std::vector<std::string> tokens;
    for (int i = 1; i < argc; ++i)
        if (argv[i] && *argv[i])
            tokens.emplace_back(argv[i]);
    return tokens;
}

// Switches that end the program before any window: help, version, -r, -u.
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
        exitCode = RegisterWithDesktop() ? 0 : 1;
        return true;
    case StartSwitch::Unregister:
        exitCode = UnregisterWithDesktop() ? 0 : 1;
        return true;
    default:
        return false;
    }
}

void SecondInitialization(UiTicker& ticker) {
    LoadFontList();
    CreateDefaultSettings();
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
    DestroySettings();
    ReleaseFontList();
}

int RunWindowed(int& argc, char** argv, const CommandLine& line) {
    KorvaneApplication app(argc, argv);
    QtErrorReporter reporter;
    ErrorReporter* previous = InstallErrorReporter(&reporter);
    int exitCode = -1;
    try {
        UiTicker ticker;
        SecondInitialization(ticker);
        LoadSettings();
        RegisterFileTypesIfWanted();
        MainWindow window;
        reporter.setOwner(&window);
        window.show();
        if (!line.path.empty() && (line.startSwitch == StartSwitch::None ||
                                   line.startSwitch == StartSwitch::Import)) {
            // Let the window draw first, then open the file.
            const bool import = line.startSwitch == StartSwitch::Import;
            QTimer::singleShot(0, &window, [path = line.path, import] {
                OpenStartupPath(path, import);
            });
        }
        app.exec();
        SaveSettings();
        exitCode = 0;
        ShutDownAfterNormalRun(ticker);
    } catch (const CWULError& error) {
        if (error.code() != 0)
            QMessageBox::critical(nullptr, kToolkitErrorTitle, QString::fromUtf8(error.text().c_str()));
    } catch (const CKVException& error) {
        ReportError(error.message());
    }
    InstallErrorReporter(previous);
    return exitCode;
}

} // namespace

int RunKorvane(int argc, char** argv) {
    StartStreamLibrary();
    int exitCode = -1;
    if (InitializeApplication()) {
        const CommandLine line = ParseCommandLine(Arguments(argc, argv), PathExists);
        if (!RunWithoutWindow(line, exitCode))
            exitCode = RunWindowed(argc, argv, line);
    }
    ReleaseInstanceMarker();
    StopStreamLibrary();
    return exitCode;
}

} // namespace kv
