#include "settings/BoolSetting.h"

namespace kv {

bool BoolSetting::write(RegistryKey& key, std::string_view valueName) const {
    return key.setValue(valueName, RegistryValue::dword(value() ? 1 : 0));
}

bool BoolSetting::read(const RegistryKey& key, std::string_view valueName) {
    const RegistryValue* stored = key.queryValue(valueName);
    if (!stored || !stored->isDword()) return false;
    setValue(stored->dwordValue() != 0);
    return true;
}

} // namespace kv
