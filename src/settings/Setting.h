#pragma once
#include "platform/RegistryKey.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// How a setting is saved: Always writes the value on every save; WhenChanged
// writes it only when it differs from the default and removes the stored value
// when it equals the default.
enum class SettingMode : std::int32_t { Always = 1, WhenChanged = 2 };

// One named preference. Each has a default, a current value that the program
// reads, and a pending value that an options dialog edits before applying it.
class Setting {
  public:
    Setting(std::string name, SettingMode mode) : m_mode(mode), m_name(std::move(name)) {}
    virtual ~Setting() = default;
    Setting(const Setting&) = delete;
    Setting& operator=(const Setting&) = delete;

    // current := default, then pending := current.
    virtual void reset() = 0;
    // default := zero (or empty text), then reset.
    virtual void init() = 0;
    // pending := default: an options dialog's restore-defaults.
    virtual void restorePendingDefault() = 0;
    // current := pending.
    virtual void apply() = 0;
    // pending := current.
    virtual void beginEdit() = 0;
    // Writes the current value under valueName in key.
    virtual bool write(RegistryKey& key, std::string_view valueName) const = 0;
    // Reads the current value; leaves it unchanged and answers false when the
    // value is missing or not acceptable.
    virtual bool read(const RegistryKey& key, std::string_view valueName) = 0;
    virtual bool isDefault() const = 0;

    const std::string& name() const { return m_name; }
    SettingMode mode() const { return m_mode; }
    void setMode(SettingMode mode) { m_mode = mode; }

    // "Drawing.Tools.Brush.Size" is the value "Size" of the key
    // "Drawing\Tools\Brush".
    std::string keyPath() const;
    std::string valueName() const;

  private:
    SettingMode m_mode;
    std::string m_name;
};

// The three values of a setting of one type, and the operations that only move
// them around.
template <class T> class TypedSetting : public Setting {
  public:
    TypedSetting(std::string name, SettingMode mode, T defaultValue)
        : Setting(std::move(name), mode), m_default(std::move(defaultValue)) {
        reset();
    }

    void reset() override {
        m_current = m_default;
        m_pending = m_current;
    }
    void init() override {
        m_default = T{};
        reset();
    }
    void restorePendingDefault() override { m_pending = m_default; }
    void apply() override { m_current = m_pending; }
    void beginEdit() override { m_pending = m_current; }
    bool isDefault() const override { return m_current == m_default; }

    const T& value() const { return m_current; }
    void setValue(T value) { m_current = std::move(value); }
    const T& pending() const { return m_pending; }
    void setPending(T value) { m_pending = std::move(value); }
    const T& defaultValue() const { return m_default; }
    // Changes the default only; call reset() to take it over.
    void setDefault(T value) { m_default = std::move(value); }

  private:
    T m_default;
    T m_current{};
    T m_pending{};
};

} // namespace kv
