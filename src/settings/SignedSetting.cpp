#include "settings/SignedSetting.h"

#include <cstdio>

namespace kv {

bool SignedSetting::write(RegistryKey& key, std::string_view valueName) const {
    return key.setValue(valueName, RegistryValue::string(std::to_string(value())));
}

bool SignedSetting::read(const RegistryKey& key, std::string_view valueName) {
    const RegistryValue* stored = key.queryValue(valueName);
    int parsed = 0;
    if (!stored || std::sscanf(stored->text().c_str(), "%d", &parsed) != 1) return false;
    setValue(parsed);
    return true;
}

} // namespace kv
