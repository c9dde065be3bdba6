// The undo data coder: exact code stream and the failure states. Its streams
// are judged against the shared reference in ActionCoderReferenceTest.
#include "editing/history/ActionCoder.h"
#include "editing/history/ActionRegistry.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
}

} // namespace
} // namespace kv
