#include "storage/project/PredictionEstimator.h"

#include "platform/Exceptions.h"

#include <cmath>

namespace kv {
namespace {

constexpr std::uint32_t kSymbolSlots = 510;
constexpr std::uint32_t kMinMatch = 3;

double Entropy(const std::vector<std::uint32_t>& histogram, std::uint64_t total) {
    if (total == 0) return 0.0;
    double h = 0.0;
    const double n = static_cast<double>(total);
    for (const std::uint32_t c : histogram) {
        if (c == 0) continue;
        const double p = static_cast<double>(c) / n;
        h -= p * std::log2(p);
    }
    return h;
}

} // namespace

PredictionEstimator::PredictionEstimator()
    : m_symbols(kSymbolSlots, 0), m_distances(EstimatorMatchFinder::kWindow, 0) {
    if (!m_finder.allocated()) throw CKVException("Insufficient memory");
}

void PredictionEstimator::add(const std::uint8_t* data, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        m_finder.push(data[i]);
        if (m_finder.pending() == EstimatorMatchFinder::kLookahead) processPosition();
    }
}

void PredictionEstimator::processPosition() {
    ++m_processed;
    if (m_skip > 0) {
        m_finder.insert();
        --m_skip;
    } else {
        const std::uint8_t c = m_finder.current();
        const EstimatorMatchFinder::Match found = m_finder.search();
        if (found.length >= kMinMatch) {
            ++m_symbols[253 + found.length];
            ++m_distances[found.distance - 1];
            ++m_symbolCount;
            ++m_matchCount;
            m_skip = found.length - 1;
        } else {
            ++m_symbols[c];
            ++m_symbolCount;
        }
    }
    m_finder.advance();
}

double PredictionEstimator::estimate() {
    while (m_finder.pending() > 0)
        processPosition();
    if (m_processed == 0) return 0.0;
    const double distanceBits =
        static_cast<double>(m_matchCount) * Entropy(m_distances, m_matchCount);
    const double symbolBits =
        static_cast<double>(m_symbolCount) * Entropy(m_symbols, m_symbolCount);
    return (distanceBits + symbolBits) / static_cast<double>(m_processed);
}

} // namespace kv
