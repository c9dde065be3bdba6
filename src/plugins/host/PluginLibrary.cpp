#include "plugins/host/PluginLibrary.h"

#include <dlfcn.h>

namespace kv {

std::unique_ptr<PluginLibrary> PluginLibrary::open(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    return std::unique_ptr<PluginLibrary>(new PluginLibrary(handle));
}

PluginLibrary::~PluginLibrary() {
    dlclose(m_handle);
}

KVXFunction PluginLibrary::symbol(const char* name) const {
    return reinterpret_cast<KVXFunction>(dlsym(m_handle, name));
}

} // namespace kv
