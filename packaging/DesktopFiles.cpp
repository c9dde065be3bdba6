// Build-time tool: writes the desktop entry, the MIME package, the icons and
// the thumbnailer entry an installed program ships, with the same generator
// that registers them for one user, so both always agree. With a plug-in
// folder, the desktop entry also offers to open the picture types those
// plug-ins read.
//   korvane_desktop_files <data folder> <executable name> [<plug-in folder>]
#include "commands/formats/HeadlessFormats.h"
#include "desktop/DesktopIntegration.h"
#include "desktop/MimeTypes.h"
#include "plugins/host/PluginHost.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s DATA_FOLDER EXECUTABLE [PLUGIN_FOLDER]\n", argv[0]);
        return 2;
    }
    std::vector<std::string> pictureTypes;
    if (argc == 4) {
        kv::PluginHost plugins;
        plugins.loadFolder(argv[3]);
        plugins.buildTypeLists();
        pictureTypes = kv::MimeTypesOfExtensions(kv::PluginReadableExtensions(plugins));
    }
    const kv::DesktopIntegration desktop(argv[1], argv[2], pictureTypes);
    if (!desktop.install(kv::kShellEverything)) {
        std::fprintf(stderr, "%s: could not write the desktop files below %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
