#pragma once
#include "settings/Setting.h"

namespace kv {

// A signed 32-bit number, stored as its decimal text.
class SignedSetting final : public TypedSetting<std::int32_t> {
  public:
    using TypedSetting::TypedSetting;
    bool write(RegistryKey& key, std::string_view valueName) const override;
    bool read(const RegistryKey& key, std::string_view valueName) override;
};

} // namespace kv
