#include "plugins/host/PluginErrors.h"

#include "kvx.h"
#include "plugins/host/FormatProvider.h"

#include <vector>

namespace kv {

std::string PluginErrorText(std::uint32_t code) {
    switch (code) {
    case KVX_ERROR_NONE:
    case KVX_ERROR_QUIET:
        return {};
    case KVX_ERROR_PLUGIN:
        return "Plugin error";
    case KVX_ERROR_INCOMPATIBLE_SDK:
        return "Incompatible SDK";
    case KVX_ERROR_INVALID_PARAMETER:
        return "Invalid parameter";
    case KVX_ERROR_INVALID_DATA:
        return "Invalid data";
    case KVX_ERROR_UNSUPPORTED_FORMAT:
        return "Unsupported format";
    case KVX_ERROR_OUT_OF_MEMORY:
        return "Cannot allocate memory";
    case KVX_ERROR_CANNOT_CREATE_FILE:
        return "Cannot create file";
    case KVX_ERROR_CANNOT_ACCESS_FILE:
        return "Cannot access file";
    case KVX_ERROR_WRITE_FAILED:
        return "File write failed";
    case KVX_ERROR_READ_FAILED:
        return "File read failed";
    case KVX_ERROR_END_OF_FILE:
        return "Unexpected end of file";
    default:
        return "Unidentified plugin error";
    }
}

std::string PluginFailureMessage(const FormatProvider& provider) {
    const KVXGetLastErrorProc getLastError = provider.functions().getLastError;
    if (!getLastError) return PluginErrorText(KVX_ERROR_PLUGIN);
    std::vector<char> text(KVX_ERROR_BUFFER_SIZE, '\0');
    std::uint32_t code = 0;
    try {
        code = getLastError(text.data(), static_cast<std::uint32_t>(text.size()));
    } catch (...) {
        return kPluginMalfunction;
    }
    text.back() = '\0';
    if (text[0] != '\0') return text.data();
    return PluginErrorText(code);
}

} // namespace kv
