#pragma once
#include "desktop/ShellFileTypes.h"
#include "platform/RegistryKey.h"

#include <string>

namespace kv {

// The class keys that tell the shell about the program and its file types,
// written into (or removed from) a classes hive root. Every step's failure is
// counted; the answer is true only when all steps succeeded.
class ShellRegistration {
  public:
    explicit ShellRegistration(std::string executablePath);

    bool registerParts(RegistryKey& classesRoot, unsigned parts) const;
    bool unregister(RegistryKey& classesRoot) const;

    // "Applications\<file name of the executable>".
    std::string applicationKey() const;
    // "EXE" "%1": opens a project.
    std::string openCommand() const;
    // "EXE" -i "%1": imports a file as a new project.
    std::string importCommand() const;
    // EXE,index without quotes, as the shell reads icon references.
    std::string iconReference(int index) const;

  private:
    bool registerApplication(RegistryKey& root) const;
    bool registerFileTypes(RegistryKey& root) const;

    std::string m_executable;
};

} // namespace kv
