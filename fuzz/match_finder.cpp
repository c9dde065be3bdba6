// The match finder against the plain rule: the input is the data, and its
// bytes also decide where the driver searches and where it only inserts.
#include "storage/codecs/MatchFinder.h"
#include "support/ReferenceMatchFinder.h"

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using Finder = kv::EstimatorMatchFinder;
    auto finder = std::make_unique<Finder>();
    kv::test::ReferenceMatchFinder reference(Finder::kWindow, Finder::kRingSize);
    std::uint32_t skip = 0;
    const auto process = [&] {
        if (skip > 0) {
            finder->insert();
            --skip;
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
