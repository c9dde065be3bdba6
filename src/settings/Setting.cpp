#include "settings/Setting.h"

#include <algorithm>

namespace kv {

std::string Setting::keyPath() const {
    const auto dot = m_name.rfind('.');
    if (dot == std::string::npos) return {};
    std::string path = m_name.substr(0, dot);
    std::replace(path.begin(), path.end(), '.', '\\');
    return path;
}

std::string Setting::valueName() const {
    const auto dot = m_name.rfind('.');
    return dot == std::string::npos ? m_name : m_name.substr(dot + 1);
}

} // namespace kv
