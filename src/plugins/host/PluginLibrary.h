#pragma once
#include "kvx.h"

#include <memory>
#include <string>

namespace kv {

// A loaded plug-in library, released when the object goes. Symbols resolve
// at load time (RTLD_NOW) and stay private to the library (RTLD_LOCAL).
class PluginLibrary {
  public:
    // Null when the file cannot be loaded.
    static std::unique_ptr<PluginLibrary> open(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // The exported function of that name, or null.
    template <typename F> F function(const char* name) const {
        return reinterpret_cast<F>(symbol(name));
    }

  private:
    explicit PluginLibrary(void* handle) : m_handle(handle) {}
    KVXFunction symbol(const char* name) const;

    void* m_handle;
};

} // namespace kv
