#pragma once
// Calls into the format library with every error owned: the library's own
// messages, heap exhaustion, a cancel, and whatever else escapes a provider.
#include "plugins/host/PluginErrors.h"

#include <functional>
#include <memory>
#include <string>

namespace kv {

class CommandHost;
class FormatLibrary;
class Project;

// False after an error (reported) or a cancel (silent).
bool RunProviderCall(CommandHost& host, const std::function<bool()>& call);

// The file read into a new project; null after a failure, which is reported
// when the library has something to say.
std::unique_ptr<Project> ImportThroughLibrary(CommandHost& host, FormatLibrary& formats,
                                              const std::string& path);

} // namespace kv
