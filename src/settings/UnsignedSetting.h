#pragma once
#include "settings/Setting.h"

namespace kv {

// An unsigned 32-bit number, stored as its decimal text.
class UnsignedSetting final : public TypedSetting<std::uint32_t> {
  public:
    using TypedSetting::TypedSetting;
    bool write(RegistryKey& key, std::string_view valueName) const override;
    bool read(const RegistryKey& key, std::string_view valueName) override;
};

} // namespace kv
