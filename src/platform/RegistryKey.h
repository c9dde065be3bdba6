#pragma once
#include "platform/RegistryValue.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv {

// One key of the emulated registry: named values and subkeys, both kept in the
// order they were made. Names compare without regard to ASCII case, as the
// system registry does; paths separate nested keys with backslashes.
class RegistryKey {
  public:
    explicit RegistryKey(std::string name = {});
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    const std::string& name() const { return m_name; }
    // Drops every value and subkey.
    void clear() {
        m_values.clear();
        m_subkeys.clear();
    }

    // Opens the key at a relative path, creating what is missing. Null when a
    // part of the path is not a valid key name.
    RegistryKey* createKey(std::string_view path);
    // Opens an existing key; null when any part is missing.
    RegistryKey* openKey(std::string_view path);
    const RegistryKey* openKey(std::string_view path) const;
    // Deletes the key at the path with all its subkeys; false when it is missing.
    bool deleteKeyTree(std::string_view path);
    std::vector<std::string> subkeyNames() const;
    const std::vector<std::unique_ptr<RegistryKey>>& subkeys() const { return m_subkeys; }

    // The empty name is the key's default value. A name with a line break
    // cannot be stored in the hive file and is refused.
    bool setValue(std::string_view name, RegistryValue value);
    const RegistryValue* queryValue(std::string_view name) const;
    bool deleteValue(std::string_view name);
    const std::vector<std::pair<std::string, RegistryValue>>& values() const { return m_values; }

    // A key name is not empty and holds no backslash and no control character.
    static bool isValidKeyName(std::string_view name);
    static bool namesEqual(std::string_view a, std::string_view b);

  private:
    RegistryKey* child(std::string_view name) const;

    std::string m_name;
    std::vector<std::pair<std::string, RegistryValue>> m_values;
    std::vector<std::unique_ptr<RegistryKey>> m_subkeys;
};

} // namespace kv
