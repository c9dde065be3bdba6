// Build-time tool: writes the desktop entry, the MIME package and the icons
// an installed program ships, with the same generator that registers them
// for one user, so both always agree.
//   korvane_desktop_files <data folder> <executable name>
#include "desktop/DesktopIntegration.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATA_FOLDER EXECUTABLE\n", argv[0]);
        return 2;
    }
    const kv::DesktopIntegration desktop(argv[1], argv[2]);
    if (!desktop.install(kv::kShellEverything)) {
        std::fprintf(stderr, "%s: could not write the desktop files below %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
