// The undo data coder: exact code stream, round trips across the width
// changes and dictionary resets, block accounting and the failure states.
#include "editing/history/ActionCoder.h"
#include "editing/history/ActionRegistry.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace kv {
namespace {

std::unique_ptr<ActionData> Encode(const std::vector<std::uint8_t>& bytes) {
    ActionCoder& coder = ActionCoder::instance();
    coder.reset();
    if (!coder.begin()) return nullptr;
    coder.feed(bytes.data(), bytes.size());
    return coder.finish();
}

std::vector<std::uint8_t> Flatten(const ActionData& data) {
    std::vector<std::uint8_t> out;
    for (const ActionData::Block* b = data.firstBlock(); b; b = b->next)
        out.insert(out.end(), b->bytes(), b->bytes() + b->size);
    return out;
}

// A plain textbook LZW with the same code widths, kept apart from the
// coder's hash chains so that a lookup fault there shows up as a mismatch.
std::vector<std::uint8_t> ReferenceEncode(const std::vector<std::uint8_t>& input) {
    std::vector<std::uint8_t> out;
    std::uint64_t acc = 0;
    int bits = 0, width = 9, next = 258, prefix = -1;
    auto emit = [&](int code) {
        acc = (acc << width) | static_cast<std::uint32_t>(code);
        for (bits += width; bits >= 8; bits -= 8)
            out.push_back(static_cast<std::uint8_t>(acc >> (bits - 8)));
    };
    std::map<std::pair<int, int>, int> dict;
    for (std::uint8_t c : input) {
        const auto it = dict.find({prefix, c});
        if (it != dict.end()) {
            prefix = it->second;
            continue;
        }
        if (prefix >= 0) emit(prefix);
        if (prefix >= 0 && next < 4096) {
            dict[{prefix, c}] = next++;
            if (next > (1 << width)) ++width;
        } else if (prefix >= 0) {
            emit(256);
            dict.clear();
            next = 258;
            width = 9;
        }
        prefix = c;
    }
    if (prefix >= 0) {
        emit(prefix);
        if (next < 4096 && next == (1 << width)) ++width;
    }
    emit(257);
    if (bits > 0) out.push_back(static_cast<std::uint8_t>(acc << (8 - bits)));
    return out;
}

std::vector<std::uint8_t> RandomBytes(std::size_t n, unsigned seed, int alphabet) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> v(n);
    for (auto& b : v)
        b = static_cast<std::uint8_t>(rng() % static_cast<unsigned>(alphabet));
    return v;
}

TEST(ActionCoder, ShortInputsGiveTheExpectedNineBitCodes) {
    struct Case {
        std::vector<std::uint8_t> input, stream;
    };
    const Case cases[] = {
        {{}, {0x80, 0x80}}, // only the end code 257, then seven zero bits
        // 65, 66, 258 ("AB"), 260 ("ABA"), end 257, then zero padding.
        {{'A', 'B', 'A', 'B', 'A', 'B', 'A'}, {0x20, 0x90, 0xA0, 0x50, 0x48, 0x08}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.size());
        auto data = Encode(c.input);
        ASSERT_TRUE(data);
        EXPECT_EQ(Flatten(*data), c.stream);
        std::vector<std::uint8_t> out{1, 2, 3};
        EXPECT_TRUE(DecodeActionData(*data, out));
        EXPECT_EQ(out, c.input);
    }
}

// The sizes cross every width change (512, 1024, 2048 codes), the full
// dictionary with its clear code, and the 65536-byte block boundary. Every
// block but the last is full, and all of them count in the registry's memory.
TEST(ActionCoder, MatchesTheReferenceDecodesBackAndCountsItsBlocks) {
    const std::pair<std::size_t, int> inputs[] = {{1, 256},    {3000, 256},  {50000, 3},
                                                  {200000, 1}, {40000, 256}, {300000, 256}};
    ActionRegistry& registry = ActionRegistry::instance();
    for (const auto& [size, alphabet] : inputs) {
        SCOPED_TRACE(size);
        const std::uint32_t before = registry.memory();
        const auto input = RandomBytes(size, static_cast<unsigned>(size), alphabet);
        auto data = Encode(input);
        ASSERT_TRUE(data);
        EXPECT_EQ(Flatten(*data), ReferenceEncode(input));
        std::vector<std::uint8_t> decoded;
        ASSERT_TRUE(DecodeActionData(*data, decoded));
        EXPECT_EQ(decoded, input);
        std::uint32_t sum = 0;
        for (const ActionData::Block* b = data->firstBlock(); b; b = b->next) {
            EXPECT_TRUE(!b->next || b->size == ActionCoder::kBufferSize) << "a short inner block";
            sum += b->size;
        }
        EXPECT_EQ(sum, data->compressedSize());
        EXPECT_EQ(registry.memory() - before,
                  data->compressedSize() + 12u * static_cast<std::uint32_t>(data->blockCount()));
        data.reset();
        EXPECT_EQ(registry.memory(), before);
    }
}

TEST(ActionCoder, DamagedStreamsAreRejected) {
    auto data = Encode(RandomBytes(5000, 3, 16));
    ASSERT_TRUE(data);
    const std::vector<std::uint8_t> bytes = Flatten(*data);
    // The same stream cut short, and one whose first code points past the dictionary.
    const std::uint8_t badFirst[] = {0xFF, 0xFF, 0xFF};
    ActionData truncated, corrupt;
    truncated.appendBlock(bytes.data(), static_cast<std::uint32_t>(bytes.size() / 2));
    truncated.setUncompressedSize(data->uncompressedSize());
    corrupt.appendBlock(badFirst, 3);
    corrupt.setUncompressedSize(10);
    std::vector<std::uint8_t> out;
    EXPECT_FALSE(DecodeActionData(truncated, out));
    EXPECT_FALSE(DecodeActionData(corrupt, out));
}

int g_allowedBlocks = 0;
void* AllocatorOfFewBlocks(std::size_t size) {
    return g_allowedBlocks-- > 0 ? std::malloc(size) : nullptr;
}

// Failing at the first block or in the middle of a long stream: reported
// once, the partial stream freed, and the coder refuses until reset.
TEST(ActionCoder, AllocationFailureIsReportedAndSticksUntilReset) {
    ActionCoder& coder = ActionCoder::instance();
    const auto input = RandomBytes(400000, 21, 256);
    for (int allowed : {0, 1}) {
        SCOPED_TRACE(allowed);
        test::CapturingReporter reporter;
        coder.reset();
        const std::uint32_t memoryBefore = ActionRegistry::instance().memory();
        g_allowedBlocks = allowed;
        const auto previous = ActionData::setBlockAllocator(&AllocatorOfFewBlocks);
        ASSERT_TRUE(coder.begin());
        coder.feed(input.data(), allowed ? input.size() : 1);
        coder.feed(input.data(), allowed ? input.size() : 0);
        EXPECT_EQ(coder.finish(), nullptr);
        ActionData::setBlockAllocator(previous);
        EXPECT_EQ(coder.state(), ActionCoder::State::Failed);
        EXPECT_EQ(reporter.messages, std::vector<std::string>{"Action data compression failed"});
        EXPECT_EQ(ActionRegistry::instance().memory(), memoryBefore);
        EXPECT_FALSE(coder.begin()) << "still failed: the next stream is refused at once";
        EXPECT_EQ(reporter.messages.size(), 2u);
    }
    coder.reset();
    EXPECT_TRUE(coder.begin());
    EXPECT_FALSE(coder.begin()) << "a second stream while compressing";
    coder.reset();
}

} // namespace
} // namespace kv
