#include "model/ImageHistory.h"

#include "platform/ErrorReporter.h"

#include <new>

namespace kv {
namespace {
ImageHistoryFactory& Factory() {
    static ImageHistoryFactory factory;
    return factory;
}
} // namespace

void SetImageHistoryFactory(ImageHistoryFactory factory) {
    Factory() = std::move(factory);
}

std::unique_ptr<ImageHistory> CreateImageHistory() {
    if (!Factory()) return nullptr;
    try {
        return Factory()();
    } catch (const std::bad_alloc&) {
        ReportError("Action manager creation failed");
        return nullptr;
    }
}

} // namespace kv
