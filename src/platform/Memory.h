#pragma once
#include <cstddef>

namespace kv {

// malloc that tells the user when the heap is exhausted; returns null then.
void* MemAlloc(std::size_t size);
// MemAlloc for callers that cannot go on: throws CKVException("Insufficient memory").
void* MemAllocOrThrow(std::size_t size);
void MemFree(void* block);

} // namespace kv
