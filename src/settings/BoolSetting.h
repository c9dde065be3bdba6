#pragma once
#include "settings/Setting.h"

namespace kv {

// A switch, stored as a double word 0 or 1; any non-zero double word reads as on.
class BoolSetting final : public TypedSetting<bool> {
  public:
    using TypedSetting::TypedSetting;
    bool write(RegistryKey& key, std::string_view valueName) const override;
    bool read(const RegistryKey& key, std::string_view valueName) override;
};

} // namespace kv
