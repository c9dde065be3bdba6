#include "platform/Memory.h"

#include "platform/ErrorReporter.h"
#include "platform/Exceptions.h"

#include <cstdio>
#include <cstdlib>

namespace kv {

void* MemAlloc(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block) {
        char text[256];
        std::snprintf(text, sizeof text, "Cannot allocate memory (requested block size: %zu bytes)",
                      size);
        ReportCriticalError(text);
    }
    return block;
}

void* MemAllocOrThrow(std::size_t size) {
    void* block = MemAlloc(size);
    if (!block) throw CKVException("Insufficient memory");
    return block;
}

void MemFree(void* block) {
    std::free(block);
}

} // namespace kv
