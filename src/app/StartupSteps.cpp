#include "app/StartupSteps.h"

#include "commands/formats/PluginFormats.h"
#include "commands/formats/ProgramFormats.h"
#include "commands/swatches/SwatchSets.h"
#include "editing/history/ActionManager.h"
#include "editing/history/ActionRegistry.h"
#include "platform/ErrorReporter.h"
#include "platform/ProcessValues.h"
#include "plugins/host/PluginHost.h"
#include "settings/Settings.h"

#include <cfenv>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <semaphore.h>

namespace kv {
namespace {
sem_t* g_instanceMarker = SEM_FAILED;
}

void StartStreamLibrary() {
    // The stream library has no process-wide state to set up yet.
}
void StopStreamLibrary() {}

bool InitializeApplication() {
    ProcessValues& values = Process();
    values.cpu = ReadCpuFeatures();
    // Round to nearest everywhere; floating-point exceptions stay masked.
    std::fesetround(FE_TONEAREST);
    // Marks that an instance runs; it never limits how many may run.
    g_instanceMarker = ::sem_open("/KORVANE", O_CREAT, 0600, 0);
    values.productVersion = ReadProductVersion();
    if (!ReadExecutablePath(values.executablePath)) {
        ReportCriticalError("Cannot locate executable");
        return false;
    }
    values.executableFolder = AppendSlash(FolderOf(values.executablePath));
    values.startFolder = AppendSlash(ReadCurrentFolder());
    // The clipboard formats are registered when clipboard exchange arrives.
    return true;
}

void ReleaseInstanceMarker() {
    if (g_instanceMarker != SEM_FAILED) ::sem_close(g_instanceMarker);
    g_instanceMarker = SEM_FAILED;
}

void StartUndoHistory() {
    InstallActionManagers();
}

void ApplyUndoLimits() {
    const SettingsStore& settings = Settings();
    ActionRegistry::instance().setLimits({settings.signedValue("Limits.Undo.MinDepth"),
                                          settings.signedValue("Limits.Undo.MaxDepth"),
                                          settings.signedValue("Limits.Undo.MemoryLimit")});
}

void EndUndoHistory() {
    ActionRegistry::instance().deleteAll();
}

void BuildDefaultSwatchSet() {
    SwatchList::instance().replace(DefaultSwatchSet());
}
void ClearSwatchSet() {
    SwatchList::instance().clear();
}

namespace {
std::unique_ptr<PluginHost> g_plugins;
std::unique_ptr<PluginFormats> g_pluginFormats;
} // namespace

// Plug-ins beside the executable (and in the installed plug-in folder) stay
// loaded until shut-down; the commands import and export through them.
void LoadPlugins() {
    g_plugins = std::make_unique<PluginHost>();
    g_plugins->start(Process().executableFolder);
    g_pluginFormats = std::make_unique<PluginFormats>(*g_plugins);
    SetProgramFormats(g_pluginFormats.get());
}

const PluginHost* LoadedPlugins() {
    return g_plugins.get();
}

void UnloadPlugins() {
    SetProgramFormats(nullptr);
    g_pluginFormats.reset();
    g_plugins.reset();
}

// Steps whose subsystems are not built yet; each names what it will do.
void LoadFontList() {}
void ReleaseFontList() {}
void BuildShortcutTable() {}
void DeselectCurrentTool() {}

} // namespace kv
