#pragma once
#include <cstdint>
#include <string>

namespace kv {

class FormatProvider;

inline constexpr const char* kPluginMalfunction = "Plugin malfunction";

// The text of an error code; empty for the codes that show nothing (0, 7).
std::string PluginErrorText(std::uint32_t code);

// What to show after a call of the provider failed: the message it wrote
// into KVXGetLastError's buffer, else the text of the code it answered.
// "Plugin malfunction" when asking throws.
std::string PluginFailureMessage(const FormatProvider& provider);

} // namespace kv
