#include "desktop/Shell.h"

#include "desktop/DesktopIntegration.h"
#include "desktop/ShellRegistration.h"
#include "platform/RegistryHive.h"
#include "platform/XdgFolders.h"
#include "settings/Settings.h"

namespace kv {

bool RegisterShell(unsigned parts, const std::string& executablePath,
                   const std::vector<std::string>& pictureTypes) {
    bool ok;
    {
        RegistryHive classes(HiveId::ClassesRoot);
        ok = ShellRegistration(executablePath).registerParts(classes.root(), parts);
        ok &= classes.save();
    }
    const std::string dataHome = XdgDataHome();
    if (dataHome.empty()) return false;
    const DesktopIntegration desktop(dataHome, executablePath, pictureTypes);
    ok &= desktop.install(parts);
    ok &= desktop.refresh();
    return ok;
}

bool UnregisterShell(const std::string& executablePath) {
    bool ok;
    {
        RegistryHive classes(HiveId::ClassesRoot);
        ok = ShellRegistration(executablePath).unregister(classes.root());
        ok &= classes.save();
    }
    const std::string dataHome = XdgDataHome();
    if (dataHome.empty()) return false;
    const DesktopIntegration desktop(dataHome, executablePath);
    ok &= desktop.uninstall();
    ok &= desktop.refresh();
    return ok;
}

int RegisterShellExitCode(const std::string& executablePath,
                          const std::vector<std::string>& pictureTypes) {
    return RegisterShell(kShellEverything, executablePath, pictureTypes) ? 0 : 1;
}

int UnregisterShellExitCode(const std::string& executablePath) {
    return UnregisterShell(executablePath) ? 0 : 1;
}

bool RegisterFileTypesIfWanted(const std::string& executablePath) {
    if (!HaveSettings() || !Settings().boolValue("Shell.RegisterFileTypesOnStartup")) return false;
    return RegisterShell(kShellFileTypes, executablePath);
}

} // namespace kv
