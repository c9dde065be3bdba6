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

// Keeps each input's memory small, so that sizes the file claims are
// refused long before the sanitizers' limits.
constexpr std::uint64_t kPixelBudget = std::uint64_t{1} << 21;

void Load(const std::uint8_t* data, std::size_t size, bool relaxed) {
    ProjectReader reader(relaxed);
    reader.setPixelBudget(kPixelBudget);
    try {
        reader.readMemory(data, size);
    } catch (const CKVException& e) {
        if (e.message().empty()) __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static SilentReporter reporter;
    InstallErrorReporter(&reporter);
    InstallActionManagers();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Load(data, size, false);
    Load(data, size, true);
    ProjectPreview preview;
    ReadProjectPreviewMemory(data, size, true, preview);
    return 0;
}
