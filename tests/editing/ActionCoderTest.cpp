// The undo data coder: exact code stream, round trips across the width
// changes and dictionary resets, block accounting and the failure states.
#include "editing/ActionCoder.h"
#include "editing/ActionRegistry.h"
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
    int bits = 0, width = 9;
    auto emit = [&](std::uint32_t code) {
        acc = (acc << width) | code;
        bits += width;
        while (bits >= 8) {
            bits -= 8;
            out.push_back(static_cast<std::uint8_t>(acc >> bits));
        }
    };
    std::map<std::pair<int, int>, int> dict;
    int next = 258;
    int prefix = -1;
    for (std::uint8_t c : input) {
        if (prefix < 0) {
            prefix = c;
            continue;
        }
        auto it = dict.find({prefix, c});
        if (it != dict.end()) {
            prefix = it->second;
            continue;
        }
        emit(static_cast<std::uint32_t>(prefix));
        if (next < 4096) {
            dict[{prefix, c}] = next++;
            if (next > (1 << width)) ++width;
        } else {
            emit(256);
            dict.clear();
            next = 258;
            width = 9;
        }
        prefix = c;
    }
    if (prefix >= 0) {
        emit(static_cast<std::uint32_t>(prefix));
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

TEST(ActionCoder, ShortInputGivesTheExpectedNineBitCodes) {
    const std::vector<std::uint8_t> input{'A', 'B', 'A', 'B', 'A', 'B', 'A'};
    auto data = Encode(input);
    ASSERT_TRUE(data);
    // 65, 66, 258 ("AB"), 260 ("ABA"), end 257, then zero padding.
    EXPECT_EQ(Flatten(*data), (std::vector<std::uint8_t>{0x20, 0x90, 0xA0, 0x50, 0x48, 0x08}));
    EXPECT_EQ(data->uncompressedSize(), 7u);
    EXPECT_EQ(data->compressedSize(), 6u);
}

TEST(ActionCoder, EmptyInputHoldsOnlyTheEndCode) {
    auto data = Encode({});
    ASSERT_TRUE(data);
    EXPECT_EQ(Flatten(*data), (std::vector<std::uint8_t>{0x80, 0x80})); // 100000001 + 7 zeros
    std::vector<std::uint8_t> out{1, 2, 3};
    EXPECT_TRUE(DecodeActionData(*data, out));
    EXPECT_TRUE(out.empty());
}

struct CoderCase {
    const char* name;
    std::size_t size;
    int alphabet;
};

class CoderRoundTrip : public ::testing::TestWithParam<CoderCase> {};

// The sizes cross every width change (512, 1024, 2048 codes), the full
// dictionary with its clear code, and the 65536-byte block boundary.
TEST_P(CoderRoundTrip, MatchesReferenceAndDecodesBack) {
    const CoderCase& c = GetParam();
    const auto input = RandomBytes(c.size, static_cast<unsigned>(c.size), c.alphabet);
    auto data = Encode(input);
    ASSERT_TRUE(data);
    EXPECT_EQ(Flatten(*data), ReferenceEncode(input));
    std::vector<std::uint8_t> decoded;
    ASSERT_TRUE(DecodeActionData(*data, decoded));
    EXPECT_EQ(decoded, input);
}

INSTANTIATE_TEST_SUITE_P(Inputs, CoderRoundTrip,
                         ::testing::Values(CoderCase{"one", 1, 256}, CoderCase{"widths", 3000, 256},
                                           CoderCase{"lowEntropy", 50000, 3},
                                           CoderCase{"zeros", 200000, 1},
                                           CoderCase{"resets", 40000, 256},
                                           CoderCase{"manyBlocks", 300000, 256}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ActionCoder, BlocksAreFullBuffersAndCountInRegistryMemory) {
    ActionRegistry& registry = ActionRegistry::instance();
    const std::uint32_t before = registry.memory();
    auto data = Encode(RandomBytes(200000, 7, 256));
    ASSERT_TRUE(data);
    ASSERT_GE(data->blockCount(), 3);
    std::uint32_t sum = 0;
    for (const ActionData::Block* b = data->firstBlock(); b; b = b->next) {
        if (b->next) {
            EXPECT_EQ(b->size, ActionCoder::kBufferSize);
        }
        sum += b->size;
    }
    EXPECT_EQ(sum, data->compressedSize());
    EXPECT_EQ(registry.memory() - before,
              data->compressedSize() + 12u * static_cast<std::uint32_t>(data->blockCount()));
    data.reset();
    EXPECT_EQ(registry.memory(), before);
}

TEST(ActionCoder, DamagedStreamsAreRejected) {
    const auto input = RandomBytes(5000, 3, 16);
    auto data = Encode(input);
    ASSERT_TRUE(data);
    std::vector<std::uint8_t> bytes = Flatten(*data);
    // The same stream cut short, and one whose first code points past the dictionary.
    ActionData truncated;
    truncated.appendBlock(bytes.data(), static_cast<std::uint32_t>(bytes.size() / 2));
    truncated.setUncompressedSize(data->uncompressedSize());
    std::vector<std::uint8_t> out;
    EXPECT_FALSE(DecodeActionData(truncated, out));
    const std::uint8_t badFirst[] = {0xFF, 0xFF, 0xFF};
    ActionData corrupt;
    corrupt.appendBlock(badFirst, 3);
    corrupt.setUncompressedSize(10);
    EXPECT_FALSE(DecodeActionData(corrupt, out));
}

void* FailingAllocator(std::size_t) {
    return nullptr;
}

TEST(ActionCoder, AllocationFailureIsReportedAndSticksUntilReset) {
    test::CapturingReporter reporter;
    ActionCoder& coder = ActionCoder::instance();
    coder.reset();
    const auto previous = ActionData::setBlockAllocator(&FailingAllocator);
    ASSERT_TRUE(coder.begin());
    const std::uint8_t byte = 9;
    coder.feed(&byte, 1);
    EXPECT_EQ(coder.finish(), nullptr);
    ActionData::setBlockAllocator(previous);
    EXPECT_EQ(coder.state(), ActionCoder::State::Failed);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0], "Action data compression failed");

    // Still failed: the next stream is refused at once.
    EXPECT_FALSE(coder.begin());
    EXPECT_EQ(reporter.messages.size(), 2u);
    coder.reset();
    EXPECT_TRUE(coder.begin());
    EXPECT_FALSE(coder.begin()) << "a second stream while compressing";
    coder.reset();
}

int g_allowedBlocks = 0;
void* AllocatorOfFewBlocks(std::size_t size) {
    return g_allowedBlocks-- > 0 ? std::malloc(size) : nullptr;
}

TEST(ActionCoder, FailureInTheMiddleOfALongStreamStopsCleanly) {
    test::CapturingReporter reporter;
    ActionCoder& coder = ActionCoder::instance();
    coder.reset();
    const std::uint32_t memoryBefore = ActionRegistry::instance().memory();
    g_allowedBlocks = 1;
    const auto previous = ActionData::setBlockAllocator(&AllocatorOfFewBlocks);
    const auto input = RandomBytes(400000, 21, 256);
    ASSERT_TRUE(coder.begin());
    coder.feed(input.data(), input.size());
    coder.feed(input.data(), input.size());
    EXPECT_EQ(coder.finish(), nullptr);
    ActionData::setBlockAllocator(previous);
    EXPECT_EQ(coder.state(), ActionCoder::State::Failed);
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Action data compression failed"});
    EXPECT_EQ(ActionRegistry::instance().memory(), memoryBefore) << "the partial stream is freed";
    coder.reset();
}

} // namespace
} // namespace kv
