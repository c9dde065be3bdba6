#pragma once
// The File menu's project commands: New, Open, Save, Save as and Close.
// Import and export are in ImportExportCommands.
#include "commands/files/ProjectSaving.h"

namespace kv {

class CommandHost;
class FormatLibrary;

class ProjectCommands {
  public:
    ProjectCommands(CommandHost& host, FormatLibrary& formats) : m_host(host), m_formats(formats) {}

    // Save, Save as and Close need an open project.
    bool canSave() const;
    bool canClose() const { return canSave(); }

    // Asks about the open project first; the new-project dialog gives the
    // first image.
    bool newProject();
    // Asks about the open project first; the file is opened without the
    // import fallback.
    bool open();
    bool save();
    bool saveAs();
    // Exit and closing the main window use Ask as well.
    bool close(SaveChangesMode mode = SaveChangesMode::Ask);

  private:
    CommandHost& m_host;
    FormatLibrary& m_formats;
};

} // namespace kv
