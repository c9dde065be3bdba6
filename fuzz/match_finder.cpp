// The match finder against the plain rule: the input is the data, and its
// bytes also decide where the driver searches and where it only inserts.
#include "MatchFinderOracle.h"
#include "storage/codecs/MatchFinder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

using Finder = kv::EstimatorMatchFinder;

// Earlier positions the reference may visit per input. It visits every one
// in the window at each search, so a long input costs quadratic time;
// beyond this only every stride-th position is searched and the others are
// just entered, which the finder must handle as well. Inputs up to 128
// bytes are searched throughout.
constexpr std::uint64_t kVisitBudget = std::uint64_t{1} << 13;

std::uint64_t SearchStride(std::size_t size) {
    const std::uint64_t n = size;
    const std::uint64_t visits = n * std::min<std::uint64_t>(n, Finder::kWindow) / 2;
    return 1 + visits / kVisitBudget;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto finder = std::make_unique<Finder>();
    kv::fuzz::MatchFinderOracle reference(Finder::kWindow, Finder::kRingSize);
    const std::uint64_t stride = SearchStride(size);
    std::uint64_t position = 0;
    std::uint32_t skip = 0;
    const auto process = [&] {
        if (skip > 0) {
            finder->insert();
            --skip;
        } else if (position % stride != 0) {
            finder->insert();
        } else {
            const auto found = finder->search();
            const auto [length, distance] = reference.search();
            if ((length >= 3 || found.length >= 3) &&
                (found.length != length || found.distance != distance))
                std::abort();
            if (length >= 3) skip = finder->current() % length;
        }
        finder->advance();
        reference.advance();
        ++position;
    };
    for (std::size_t i = 0; i < size; ++i) {
        finder->push(data[i]);
        reference.push(data[i]);
        if (finder->pending() == Finder::kLookahead) process();
    }
    while (finder->pending() > 0)
        process();
    return 0;
}
