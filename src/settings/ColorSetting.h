#pragma once
#include "model/Color32.h"
#include "settings/Setting.h"

namespace kv {

// A color with alpha, stored as "red,green,blue:alpha" in decimal.
class ColorSetting final : public TypedSetting<Color32> {
  public:
    using TypedSetting::TypedSetting;
    bool write(RegistryKey& key, std::string_view valueName) const override;
    // Needs all four fields; a field above 255 counts as 255.
    bool read(const RegistryKey& key, std::string_view valueName) override;
};

} // namespace kv
