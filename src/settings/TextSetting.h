#pragma once
#include "settings/Setting.h"

namespace kv {

// A text, stored as a string; read back from a value of any type.
class TextSetting final : public TypedSetting<std::string> {
  public:
    using TypedSetting::TypedSetting;
    bool write(RegistryKey& key, std::string_view valueName) const override;
    bool read(const RegistryKey& key, std::string_view valueName) override;
};

} // namespace kv
