#pragma once
#include "storage/codecs/MatchFinder.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kv {

// Guesses how well a byte sequence would compress: an LZ77 parse with a
// 4096-byte window that only counts literals, match lengths and distances,
// then weighs them by their entropies. Lower is better; the unit is bits per
// byte processed.
class PredictionEstimator {
  public:
    PredictionEstimator();
    void add(const std::uint8_t* data, std::size_t count);
    // Processes what is still buffered, which ends the parse: the positions
    // near the end are compared with the bytes past it, so no data may
    // follow.
    double estimate();

  private:
    void processPosition();

    EstimatorMatchFinder m_finder;
    std::vector<std::uint32_t> m_symbols;   // 256 literals, then lengths 3..256
    std::vector<std::uint32_t> m_distances; // distance - 1
    std::uint32_t m_skip = 0;
    std::uint64_t m_symbolCount = 0;
    std::uint64_t m_matchCount = 0;
    std::uint64_t m_processed = 0;
};

} // namespace kv
