#include "MatchFinderOracle.h"

#include "support/ReferenceMatchFinder.h"

namespace kv::fuzz {

MatchFinderOracle::MatchFinderOracle(std::uint32_t window, std::uint32_t ringSize)
    : m_reference(std::make_unique<test::ReferenceMatchFinder>(window, ringSize)) {}

MatchFinderOracle::~MatchFinderOracle() = default;

void MatchFinderOracle::push(std::uint8_t value) {
    m_reference->push(value);
}

std::pair<std::uint32_t, std::uint32_t> MatchFinderOracle::search() {
    return m_reference->search();
}

void MatchFinderOracle::advance() {
    m_reference->advance();
}

} // namespace kv::fuzz
