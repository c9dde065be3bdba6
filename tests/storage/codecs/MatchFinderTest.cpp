#include "storage/codecs/MatchFinder.h"
#include "support/ReferenceMatchFinder.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace kv::test {
namespace {

// Runs of one byte (some longer than the look-ahead), short periodic
// patterns, noise, and copies from exactly the window back and one further.
std::vector<std::uint8_t> MixedData(std::size_t size, std::uint32_t window, std::mt19937& rng) {
    std::vector<std::uint8_t> data;
    while (data.size() < size) {
        const unsigned kind = rng() % 5, length = 1 + rng() % 400;
        for (unsigned i = 0; i < length; ++i) {
            const std::size_t n = data.size();
            switch (kind) {
            case 0:
                data.push_back(static_cast<std::uint8_t>(rng() % 3 == 0 ? 0 : 7));
                break;
            case 1:
                data.push_back(static_cast<std::uint8_t>(i < length - 1 ? 0 : rng() % 4));
                break;
            case 2:
                data.push_back(static_cast<std::uint8_t>((i % 3) + (rng() % 50 == 0)));
                break;
            case 3:
                data.push_back(static_cast<std::uint8_t>(rng()));
                break;
            default:
                data.push_back(n > window + 1 ? data[n - window - (rng() % 8 == 0)] : 0);
                break;
            }
        }
    }
    data.resize(size);
    return data;
}

// Drives a finder like the encoders do, searching after each coded match
// and inserting the positions it covers, and checks every search against
// the reference. Lengths under 3 are never used, so only that they are
// short is compared.
template <class Finder>
void ExpectSameMatches(Finder& finder, const std::vector<std::uint8_t>& data, std::mt19937& rng) {
    ReferenceMatchFinder reference(Finder::kWindow, Finder::kRingSize);
    std::uint32_t skip = 0, searches = 0, full = 0;
    const auto process = [&] {
        if (skip > 0) {
            finder.insert();
            --skip;
        } else {
            const auto found = finder.search();
            const auto [length, distance] = reference.search();
            ++searches;
            if (length >= 3 || found.length >= 3) {
                ASSERT_EQ(found.length, length) << "search " << searches;
                ASSERT_EQ(found.distance, distance) << "search " << searches;
            }
            full += length == 256;
            if (length >= 3) skip = rng() % 4 == 0 ? 0 : rng() % length;
        }
        finder.advance();
        reference.advance();
    };
    for (const std::uint8_t value : data) {
        finder.push(value);
        reference.push(value);
        if (finder.pending() == Finder::kLookahead) process();
        if (::testing::Test::HasFatalFailure()) return;
    }
    while (finder.pending() > 0 && !::testing::Test::HasFatalFailure())
        process();
    EXPECT_GT(full, 0u); // the twin removal was exercised
}

TEST(MatchFinder, AgreesWithThePlainRuleInBothWindows) {
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        std::mt19937 rng(seed);
        auto finder = std::make_unique<EstimatorMatchFinder>();
        ExpectSameMatches(*finder, MixedData(20000, EstimatorMatchFinder::kWindow, rng), rng);
    }
    std::mt19937 rng(11);
    auto large = std::make_unique<LzrcMatchFinder>();
    ExpectSameMatches(*large, MixedData(70000, LzrcMatchFinder::kWindow, rng), rng);
}

TEST(MatchFinder, RebasingPositionsChangesNothing) {
    // Starts short of the point where positions are moved down, so that it
    // comes inside runs, matches and look-aheads of several kinds.
    for (std::uint32_t before = 1000; before < 20000; before += 2411) {
        std::mt19937 rng(before);
        auto finder = std::make_unique<EstimatorMatchFinder>(0xC0000000u - before);
        ExpectSameMatches(*finder, MixedData(before + 9000, EstimatorMatchFinder::kWindow, rng),
                          rng);
    }
}

} // namespace
} // namespace kv::test
