#include "desktop/ShellRegistration.h"

namespace kv {
namespace {

bool SetDefault(RegistryKey* key, const std::string& text) {
    if (!key) return false;
    return key->setValue("", RegistryValue::string(text));
}

std::string DefaultText(const RegistryKey* key) {
    const RegistryValue* v = key ? key->queryValue("") : nullptr;
    return v ? v->text() : std::string();
}

} // namespace

ShellRegistration::ShellRegistration(std::string executablePath)
    : m_executable(std::move(executablePath)) {}

std::string ShellRegistration::applicationKey() const {
    const auto slash = m_executable.rfind('/');
    return "Applications\\" +
           (slash == std::string::npos ? m_executable : m_executable.substr(slash + 1));
}

std::string ShellRegistration::openCommand() const {
    return "\"" + m_executable + "\" \"%1\"";
}

std::string ShellRegistration::importCommand() const {
    return "\"" + m_executable + "\" -i \"%1\"";
}

std::string ShellRegistration::iconReference(int index) const {
    return m_executable + "," + std::to_string(index);
}

bool ShellRegistration::registerParts(RegistryKey& root, unsigned parts) const {
    bool ok = true;
    if (parts & kShellApplication) ok &= registerApplication(root);
    if (parts & kShellFileTypes) ok &= registerFileTypes(root);
    return ok;
}

bool ShellRegistration::registerApplication(RegistryKey& root) const {
    RegistryKey* app = root.createKey(applicationKey());
    if (!app) return false;
    return SetDefault(app->createKey("shell\\open\\command"), importCommand());
}

bool ShellRegistration::registerFileTypes(RegistryKey& root) const {
    bool ok = true;
    for (const ShellFileType& type : kShellFileTypeTable) {
        // Each step needs the one before it.
        RegistryKey* classKey = nullptr;
        const bool done =
            SetDefault(root.createKey(std::string(".") + type.extension), type.className) &&
            SetDefault(classKey = root.createKey(type.className), type.description) &&
            SetDefault(classKey->createKey("DefaultIcon"), iconReference(type.iconIndex));
        ok &= done;
    }
    const std::string projectClass = DefaultText(root.openKey(".kvp"));
    RegistryKey* classKey = projectClass.empty() ? nullptr : root.createKey(projectClass);
    ok &=
        SetDefault(classKey ? classKey->createKey("shell\\open\\command") : nullptr, openCommand());
    return ok;
}

bool ShellRegistration::unregister(RegistryKey& root) const {
    bool ok = true;
    for (const ShellFileType& type : kShellFileTypeTable) {
        const std::string extensionKey = std::string(".") + type.extension;
        const RegistryKey* ext = root.openKey(extensionKey);
        ok &= ext != nullptr;
        const std::string className = DefaultText(ext);
        if (!className.empty()) ok &= root.deleteKeyTree(className);
        ok &= root.deleteKeyTree(extensionKey);
    }
    ok &= root.deleteKeyTree(applicationKey());
    return ok;
}

} // namespace kv
