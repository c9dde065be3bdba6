#include "settings/TextSetting.h"

namespace kv {

bool TextSetting::write(RegistryKey& key, std::string_view valueName) const {
    return key.setValue(valueName, RegistryValue::string(value()));
}

bool TextSetting::read(const RegistryKey& key, std::string_view valueName) {
    const RegistryValue* stored = key.queryValue(valueName);
    if (!stored) return false;
    setValue(stored->text());
    return true;
}

} // namespace kv
