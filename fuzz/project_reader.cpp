// Loads arbitrary bytes as a project file, strictly and relaxed, and reads
// their preview. Every outcome must be a project or a message.
#include "editing/history/ActionManager.h"
#include "platform/ErrorReporter.h"
#include "platform/Exceptions.h"
#include "storage/project/ProjectPreview.h"
#include "storage/project/ProjectReader.h"

#include <cstdint>
#include <string>

using namespace kv;

namespace {

// Swallows the boxes a model call might show.
class SilentReporter final : public ErrorReporter {
  public:
    void critical(const std::string&) override {}
    MessageResult messageBox(MessageButtons, MessageIcon, const std::string&, const std::string&,
                             MessageResult defaultResult) override {
        return defaultResult;
    }
};

// Pixels an input may have the loader allocate: proportional to its size,
// so that a few bytes claiming a large image are refused as "Insufficient
// memory" instead of spending the run on clearing and compositing it. The
// seed projects need at most about 4,000; a file that packs more than 16
// pixels into a byte is refused like a corrupt size, a path the loader
// must take cleanly anyway.
std::uint64_t PixelBudget(std::size_t size) {
    return 1024 + 16 * std::uint64_t{size};
}

// True when the file loaded.
bool Load(const std::uint8_t* data, std::size_t size, bool relaxed) {
    ProjectReader reader(relaxed);
    reader.setPixelBudget(PixelBudget(size));
    try {
        reader.readMemory(data, size);
        return true;
    } catch (const CKVException& e) {
        if (e.message().empty()) __builtin_trap();
    }
    return false;
}

} // namespace

// An image with a palette allocates tens of thousands of small blocks while
// its colors are mapped, and recording a 30-frame stack for each took a
// third of such a run. Ten frames still place an allocation; ASAN_OPTIONS
// overrides this when a finding needs more.
extern "C" const char* __asan_default_options() {
    return "malloc_context_size=10";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static SilentReporter reporter;
    InstallErrorReporter(&reporter);
    InstallActionManagers();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Relaxed mode only skips checks, so a file that loads strictly takes
    // the same path again; only files that fail are worth a second load.
    if (!Load(data, size, false)) Load(data, size, true);
    ProjectPreview preview;
    ReadProjectPreviewMemory(data, size, true, preview);
    return 0;
}
