#include "desktop/DesktopIntegration.h"

#include "platform/ExternalProgram.h"
#include "platform/WholeFiles.h"
#include "storage/pictures/PngEncoder.h"

#include <cstdio>

namespace kv {
namespace {

constexpr const char* kApplicationIcon = "korvane";

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/'));
}

bool WriteFile(const std::string& path, const std::string& data) {
    if (!MakeFolders(FolderOf(path))) return false;
    std::string error;
    if (WriteFileAtomically(path, data, 0644, &error)) return true;
    std::fprintf(stderr, "korvane: %s\n", error.c_str());
    return false;
}

std::vector<ShellIcon> IconsOf(unsigned parts) {
    std::vector<ShellIcon> icons;
    if (parts & (kShellApplication | kShellFileTypes)) icons.push_back(ShellIcon::Application);
    if (parts & kShellFileTypes)
        for (const ShellFileType& type : kShellFileTypeTable)
            icons.push_back(type.icon);
    return icons;
}

bool RunIfPresent(const char* tool, const std::string& folder) {
    if (!FileExists(folder)) return true;
    const std::string path = FindProgramInPath(tool);
    return path.empty() || RunProgram(path, {folder}) == 0;
}

} // namespace

std::string QuoteForDesktopExec(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted.push_back('\\');
        if (c == '%') quoted.push_back('%');
        quoted.push_back(c);
    }
    quoted.push_back('"');
    std::string escaped;
    for (char c : quoted) {
        if (c == '\\') escaped.push_back('\\');
        escaped.push_back(c);
    }
    return escaped;
}

DesktopIntegration::DesktopIntegration(std::string dataHome, std::string executablePath,
                                       std::vector<std::string> pictureTypes)
    : m_dataHome(std::move(dataHome)), m_executable(std::move(executablePath)),
      m_pictureTypes(std::move(pictureTypes)) {}

std::string DesktopIntegration::desktopEntryPath() const {
    return m_dataHome + "/applications/korvane.desktop";
}

std::string DesktopIntegration::mimePackagePath() const {
    return m_dataHome + "/mime/packages/korvane.xml";
}

std::string DesktopIntegration::thumbnailerPath() const {
    return m_dataHome + "/thumbnailers/korvane.thumbnailer";
}

std::string DesktopIntegration::iconName(ShellIcon icon) {
    for (const ShellFileType& type : kShellFileTypeTable)
        if (type.icon == icon) {
            std::string name = type.mimeType;
            name[name.find('/')] = '-';
            return name;
        }
    return kApplicationIcon;
}

std::string DesktopIntegration::iconPath(ShellIcon icon, int size) const {
    const std::string sizeFolder = std::to_string(size) + "x" + std::to_string(size);
    const char* context = icon == ShellIcon::Application ? "apps" : "mimetypes";
    return m_dataHome + "/icons/hicolor/" + sizeFolder + "/" + context + "/" + iconName(icon) +
           ".png";
}

std::vector<std::string> DesktopIntegration::files(unsigned parts) const {
    std::vector<std::string> list;
    if (parts & kShellApplication) list.push_back(desktopEntryPath());
    if (parts & kShellFileTypes) list.push_back(mimePackagePath());
    if (parts & kShellFileTypes) list.push_back(thumbnailerPath());
    for (ShellIcon icon : IconsOf(parts))
        for (int size : kShellIconSizes)
            list.push_back(iconPath(icon, size));
    return list;
}

std::string DesktopIntegration::desktopEntry() const {
    std::string mimeTypes;
    for (const ShellFileType& type : kShellFileTypeTable)
        mimeTypes += std::string(type.mimeType) + ";";
    for (const std::string& type : m_pictureTypes)
        mimeTypes += type + ";";
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Korvane\n"
           "GenericName=Icon Editor\n"
           "Comment=Edit icons, cursors and other small images\n"
           "Exec=" +
           QuoteForDesktopExec(m_executable) +
           " %f\n"
           "Icon=" +
           kApplicationIcon +
           "\n"
           "Terminal=false\n"
           "Categories=Graphics;2DGraphics;RasterGraphics;\n"
           "MimeType=" +
           mimeTypes + "\n";
}

std::string DesktopIntegration::thumbnailerEntry() const {
    std::string projectType;
    for (const ShellFileType& type : kShellFileTypeTable)
        if (type.icon == ShellIcon::Project) projectType = type.mimeType;
    // TryExec is a plain string value: only its backslashes are escaped.
    std::string tryExec;
    for (char c : m_executable) {
        if (c == '\\') tryExec.push_back('\\');
        tryExec.push_back(c);
    }
    return "[Thumbnailer Entry]\n"
           "TryExec=" +
           tryExec + "\nExec=" + QuoteForDesktopExec(m_executable) +
           " --thumbnail %i %o %s\n"
           "MimeType=" +
           projectType + ";\n";
}

std::string DesktopIntegration::mimePackage() {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    for (const ShellFileType& type : kShellFileTypeTable) {
        xml += std::string("  <mime-type type=\"") + type.mimeType + "\">\n";
        xml += std::string("    <comment>") + type.description + "</comment>\n";
        xml += "    <icon name=\"" + iconName(type.icon) + "\"/>\n";
        xml += std::string("    <glob pattern=\"*.") + type.extension + "\"/>\n";
        xml += "  </mime-type>\n";
    }
    xml += "</mime-info>\n";
    return xml;
}

bool DesktopIntegration::install(unsigned parts) const {
    bool ok = true;
    if (parts & kShellApplication) ok &= WriteFile(desktopEntryPath(), desktopEntry());
    if (parts & kShellFileTypes) ok &= WriteFile(mimePackagePath(), mimePackage());
    if (parts & kShellFileTypes) ok &= WriteFile(thumbnailerPath(), thumbnailerEntry());
    for (ShellIcon icon : IconsOf(parts))
        for (int size : kShellIconSizes) {
            const auto pixels = RenderShellIcon(icon, size);
            ok &= WriteFile(iconPath(icon, size), EncodePng(pixels.data(), size, size));
        }
    return ok;
}

bool DesktopIntegration::uninstall() const {
    bool ok = true;
    for (const std::string& file : files(kShellEverything))
        ok &= RemoveFile(file);
    return ok;
}

bool DesktopIntegration::refresh() const {
    const bool mime = RunIfPresent("update-mime-database", m_dataHome + "/mime");
    const bool desktop = RunIfPresent("update-desktop-database", m_dataHome + "/applications");
    return mime && desktop;
}

} // namespace kv
