#include "commands/formats/FormatCalls.h"

#include "commands/formats/FormatLibrary.h"
#include "commands/host/CommandHost.h"
#include "model/Project.h"
#include "platform/Exceptions.h"

#include <new>

namespace kv {

bool RunProviderCall(CommandHost& host, const std::function<bool()>& call) {
    try {
        return call();
    } catch (const CKVAbortRequest&) {
        // The user cancelled; nothing to say.
    } catch (const CKVException& error) {
        host.reportError(error.message());
    } catch (const std::bad_alloc&) {
        host.reportError(kInsufficientMemory);
    } catch (...) {
        // A provider's own failure must not take the program with it.
        host.reportError(kPluginMalfunction);
    }
    return false;
}

std::unique_ptr<Project> ImportThroughLibrary(CommandHost& host, FormatLibrary& formats,
                                              const std::string& path) {
    std::unique_ptr<Project> project;
    std::string message;
    const bool answered = RunProviderCall(host, [&] {
        project = formats.importFile(path, message);
        return true;
    });
    if (answered && !project && !message.empty()) host.reportError(message);
    return project;
}

} // namespace kv
