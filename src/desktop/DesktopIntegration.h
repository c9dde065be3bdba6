#pragma once
#include "desktop/ShellFileTypes.h"

#include <string>
#include <vector>

namespace kv {

// The desktop side of registration, below a data folder ($XDG_DATA_HOME):
// the application's desktop entry, a shared-mime-info package for our file
// types, their icons in the hicolor theme and the thumbnailer entry that
// lets file managers show projects. All files are generated here.
class DesktopIntegration {
  public:
    // `pictureTypes`: MIME types of other files the desktop entry offers to
    // open (those the plug-ins read), after our project type.
    DesktopIntegration(std::string dataHome, std::string executablePath,
                       std::vector<std::string> pictureTypes = {});

    // Writes the files of the parts; false when any could not be written.
    bool install(unsigned parts) const;
    // Removes every file install() can write; files already gone are fine.
    bool uninstall() const;
    // Rebuilds the desktop's caches with update-mime-database and
    // update-desktop-database where they are installed. False when one that
    // exists fails.
    bool refresh() const;

    std::string desktopEntryPath() const;
    std::string mimePackagePath() const;
    std::string thumbnailerPath() const;
    std::string iconPath(ShellIcon icon, int size) const;
    // Every file the parts install, in the order they are written.
    std::vector<std::string> files(unsigned parts) const;

    std::string desktopEntry() const;
    // Runs "EXE --thumbnail %i %o %s" for projects; written with the file types.
    std::string thumbnailerEntry() const;
    static std::string mimePackage();
    // The theme name of an icon: "korvane" or the file type's icon name.
    static std::string iconName(ShellIcon icon);

  private:
    std::string m_dataHome;
    std::string m_executable;
    std::vector<std::string> m_pictureTypes;
};

// The executable path quoted for an Exec line: inside double quotes with ",
// `, $ and \ escaped, % doubled, then the backslashes doubled again because
// the entry's values are escaped strings themselves.
std::string QuoteForDesktopExec(const std::string& path);

} // namespace kv
