#include "storage/MatchFinder.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace kv::test {
namespace {

// The match rule stated plainly: every earlier position within the window,
// nearest first, compared over 256 bytes of what the ring holds (past the
// data, the bytes a lap earlier, or zeros); the first of the longest wins,
// and one matching all 256 bytes is taken out for good.
class ReferenceFinder {
  public:
    ReferenceFinder(std::uint32_t window, std::uint32_t ringSize)
        : m_window(window), m_ringSize(ringSize) {}

    void push(std::uint8_t value) {
        m_data.push_back(value);
        m_removed.push_back(false);
    }
    std::uint32_t pending() const { return static_cast<std::uint32_t>(m_data.size() - m_encode); }

    std::pair<std::uint32_t, std::uint32_t> search() {
        std::uint32_t best = 0, distance = 0;
        for (std::uint32_t d = 1; d <= m_window && d <= m_encode; ++d) {
            const std::size_t node = m_encode - d;
            if (m_removed[node]) continue;
            const std::uint32_t length = commonLength(m_encode, node);
            if (length <= best) continue;
            best = length, distance = d;
            if (length == 256) {
                m_removed[node] = true;
                break;
            }
        }
        return {std::min(best, pending()), distance};
    }
    void advance() { ++m_encode; }

  private:
    std::uint8_t byteAt(std::size_t p) const {
        if (p < m_data.size()) return m_data[p];
        return p >= m_ringSize ? m_data[p - m_ringSize] : 0;
    }
    std::uint32_t commonLength(std::size_t a, std::size_t b) const {
        std::uint32_t length = 0;
        if (a + 256 <= m_data.size()) { // the usual case, without the lap
            while (length < 256 && m_data[a + length] == m_data[b + length]) ++length;
            return length;
        }
        while (length < 256 && byteAt(a + length) == byteAt(b + length)) ++length;
        return length;
    }

    std::uint32_t m_window, m_ringSize;
    std::vector<std::uint8_t> m_data;
    std::size_t m_encode = 0;
    std::vector<bool> m_removed;
};

// Runs of one byte (some longer than the look-ahead), short periodic
// patterns, noise, and copies from exactly the window back and one further.
std::vector<std::uint8_t> MixedData(std::size_t size, std::uint32_t window, std::mt19937& rng) {
    std::vector<std::uint8_t> data;
    while (data.size() < size) {
        const unsigned kind = rng() % 5, length = 1 + rng() % 400;
        for (unsigned i = 0; i < length; ++i) {
            const std::size_t n = data.size();
            switch (kind) {
            case 0: data.push_back(static_cast<std::uint8_t>(rng() % 3 == 0 ? 0 : 7)); break;
            case 1: data.push_back(static_cast<std::uint8_t>(i < length - 1 ? 0 : rng() % 4)); break;
            case 2: data.push_back(static_cast<std::uint8_t>((i % 3) + (rng() % 50 == 0))); break;
            case 3: data.push_back(static_cast<std::uint8_t>(rng())); break;
            default: data.push_back(n > window + 1 ? data[n - window - (rng() % 8 == 0)] : 0); break;
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
    ReferenceFinder reference(Finder::kWindow, Finder::kRingSize);
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
    while (finder.pending() > 0 && !::testing::Test::HasFatalFailure()) process();
    EXPECT_GT(full, 0u); // the twin removal was exercised
}

TEST(MatchFinder, AgreesWithThePlainRuleOnMixedData) {
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        std::mt19937 rng(seed);
        auto finder = std::make_unique<EstimatorMatchFinder>();
        ASSERT_TRUE(finder->allocated());
        ExpectSameMatches(*finder, MixedData(20000, EstimatorMatchFinder::kWindow, rng), rng);
    }
}

TEST(MatchFinder, AgreesWithThePlainRuleAcrossTheLargeWindow) {
    std::mt19937 rng(11);
    auto finder = std::make_unique<LzrcMatchFinder>();
    ASSERT_TRUE(finder->allocated());
    ExpectSameMatches(*finder, MixedData(70000, LzrcMatchFinder::kWindow, rng), rng);
}

TEST(MatchFinder, RebasingPositionsChangesNothing) {
    // Starts short of the point where positions are moved down, so that it
    // comes inside runs, matches and look-aheads of several kinds.
    for (std::uint32_t before = 1000; before < 20000; before += 2411) {
        std::mt19937 rng(before);
        auto finder = std::make_unique<EstimatorMatchFinder>(0xC0000000u - before);
        ExpectSameMatches(*finder, MixedData(before + 9000, EstimatorMatchFinder::kWindow, rng), rng);
    }
}

} // namespace
} // namespace kv::test
