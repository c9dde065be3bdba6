#pragma once

namespace kv::test {

// Makes the global operator new fail for the code under test, the way an
// exhausted heap does: the throwing forms raise std::bad_alloc, the nothrow
// forms answer null. While one is alive, `succeeding` more allocations go
// through, then the next `failing` ones fail (every one when kEvery), then
// allocations succeed again. The test programs' operator new forms count
// here and otherwise hand every allocation to the library's own, so nothing
// changes outside such a scope (sanitizers still see new paired with delete).
// Keep gtest assertions out of the scope: they allocate.
class FailingAllocations {
  public:
    static constexpr long kEvery = -1;

    explicit FailingAllocations(long succeeding = 0, long failing = kEvery);
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;

    // How many allocations have failed since the scope began.
    long failures() const;
};

} // namespace kv::test
