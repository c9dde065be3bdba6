#include "settings/UnsignedSetting.h"

#include <cstdio>

namespace kv {

bool UnsignedSetting::write(RegistryKey& key, std::string_view valueName) const {
    return key.setValue(valueName, RegistryValue::string(std::to_string(value())));
}

bool UnsignedSetting::read(const RegistryKey& key, std::string_view valueName) {
    const RegistryValue* stored = key.queryValue(valueName);
    unsigned parsed = 0;
    if (!stored || std::sscanf(stored->text().c_str(), "%u", &parsed) != 1) return false;
    setValue(parsed);
    return true;
}

} // namespace kv
