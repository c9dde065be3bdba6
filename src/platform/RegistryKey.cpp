#include "platform/RegistryKey.h"

#include <algorithm>

namespace kv {
namespace {

std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

RegistryKey::RegistryKey(std::string name) : m_name(std::move(name)) {}

bool RegistryKey::namesEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

bool RegistryKey::isValidKeyName(std::string_view name) {
    if (name.empty() || name.size() > 255) return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '\\' || (static_cast<unsigned char>(c) < 0x20) || c == 0x7F;
    });
}

RegistryKey* RegistryKey::child(std::string_view name) const {
    for (const auto& k : m_subkeys)
        if (namesEqual(k->m_name, name)) return k.get();
    return nullptr;
}

RegistryKey* RegistryKey::createKey(std::string_view path) {
    const auto parts = SplitPath(path);
    if (!std::all_of(parts.begin(), parts.end(), isValidKeyName)) return nullptr;
    RegistryKey* key = this;
    for (std::string_view part : parts) {
        RegistryKey* next = key->child(part);
        if (!next) {
            key->m_subkeys.push_back(std::make_unique<RegistryKey>(std::string(part)));
            next = key->m_subkeys.back().get();
        }
        key = next;
    }
    return key;
}

RegistryKey* RegistryKey::openKey(std::string_view path) {
    RegistryKey* key = this;
    for (std::string_view part : SplitPath(path)) {
        key = key->child(part);
        if (!key) return nullptr;
    }
    return key;
}

const RegistryKey* RegistryKey::openKey(std::string_view path) const {
    return const_cast<RegistryKey*>(this)->openKey(path);
}

bool RegistryKey::deleteKeyTree(std::string_view path) {
    const auto slash = path.rfind('\\');
    RegistryKey* parent = slash == std::string_view::npos ? this : openKey(path.substr(0, slash));
    const std::string_view leaf = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (!parent) return false;
    auto& list = parent->m_subkeys;
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&](const auto& k) { return namesEqual(k->m_name, leaf); });
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

std::vector<std::string> RegistryKey::subkeyNames() const {
    std::vector<std::string> names;
    names.reserve(m_subkeys.size());
    for (const auto& k : m_subkeys)
        names.push_back(k->m_name);
    return names;
}

bool RegistryKey::setValue(std::string_view name, RegistryValue value) {
    if (name.find('\n') != std::string_view::npos) return false;
    for (auto& [n, v] : m_values)
        if (namesEqual(n, name)) {
            v = std::move(value);
            return true;
        }
    m_values.emplace_back(std::string(name), std::move(value));
    return true;
}

const RegistryValue* RegistryKey::queryValue(std::string_view name) const {
    for (const auto& [n, v] : m_values)
        if (namesEqual(n, name)) return &v;
    return nullptr;
}

bool RegistryKey::deleteValue(std::string_view name) {
    const auto it = std::find_if(m_values.begin(), m_values.end(),
                                 [&](const auto& nv) { return namesEqual(nv.first, name); });
    if (it == m_values.end()) return false;
    m_values.erase(it);
    return true;
}

} // namespace kv
