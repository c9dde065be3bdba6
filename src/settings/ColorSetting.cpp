#include "settings/ColorSetting.h"

#include <algorithm>
#include <cstdio>

namespace kv {

bool ColorSetting::write(RegistryKey& key, std::string_view valueName) const {
    char text[32];
    std::snprintf(text, sizeof text, "%u,%u,%u:%u", RedOf(value()), GreenOf(value()),
                  BlueOf(value()), AlphaOf(value()));
    return key.setValue(valueName, RegistryValue::string(text));
}

bool ColorSetting::read(const RegistryKey& key, std::string_view valueName) {
    const RegistryValue* stored = key.queryValue(valueName);
    unsigned r = 0, g = 0, b = 0, a = 0;
    if (!stored || std::sscanf(stored->text().c_str(), "%u,%u,%u:%u", &r, &g, &b, &a) != 4)
        return false;
    setValue(
        MakeColor32(std::min(r, 255u), std::min(g, 255u), std::min(b, 255u), std::min(a, 255u)));
    return true;
}

} // namespace kv
