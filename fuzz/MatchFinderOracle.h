#pragma once
// The plain match rule the tests check the finder against, behind calls
// that are not inlined: its unit is compiled without coverage
// instrumentation in the fuzz build. The fuzzer learns nothing from the
// oracle's branches, and instrumented they took most of every run.
#include <cstdint>
#include <memory>
#include <utility>

namespace kv::test {
class ReferenceMatchFinder;
}

namespace kv::fuzz {

class MatchFinderOracle {
  public:
    MatchFinderOracle(std::uint32_t window, std::uint32_t ringSize);
    ~MatchFinderOracle();
    MatchFinderOracle(const MatchFinderOracle&) = delete;
    MatchFinderOracle& operator=(const MatchFinderOracle&) = delete;

    void push(std::uint8_t value);
    // Length and distance of the match at the current position.
    std::pair<std::uint32_t, std::uint32_t> search();
    void advance();

  private:
    std::unique_ptr<test::ReferenceMatchFinder> m_reference;
};

} // namespace kv::fuzz
