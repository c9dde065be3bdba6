#pragma once
#include <algorithm>
#include <cstdint>

namespace kv {

// Adaptive probabilities of the LZ77 + range coder method: sixteen 9-bit
// literal/length trees chosen by the previous byte's high nibble, and one
// 16-bit distance tree. Each cell is the probability of a 0 bit in 1/4096.
struct LzrcModel {
    static constexpr std::uint16_t kInitial = 2048;
    static constexpr int kContexts = 16;
    static constexpr unsigned kEndSymbol = 511;
    static constexpr unsigned kResetSymbol = 510;
    static constexpr unsigned kFirstMatchSymbol = 256;
    static constexpr unsigned kMinMatch = 3;
    static constexpr unsigned kMaxMatch = 256;

    std::uint16_t symbols[kContexts][512];
    std::uint16_t distances[65536];

    void reset() {
        std::fill(&symbols[0][0], &symbols[0][0] + kContexts * 512, kInitial);
        std::fill(distances, distances + 65536, kInitial);
    }
};

} // namespace kv
