// The undo data coder's failure states. Its streams are judged against the
// shared reference in ActionCoderReferenceTest.
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

int g_allowedBlocks = 0;
void* AllocatorOfFewBlocks(std::size_t size) {
    return g_allowedBlocks-- > 0 ? std::malloc(size) : nullptr;
}

// Failing at the first block or in the middle of a long stream: reported
// once, the partial stream freed, and the coder refuses until reset.
TEST(ActionCoder, AllocationFailureIsReportedAndSticksUntilReset) {
    ActionCoder& coder = ActionCoder::instance();
    std::mt19937 rng(21);
    std::vector<std::uint8_t> input(400000); // noise: the stream takes several blocks
    for (auto& b : input)
        b = static_cast<std::uint8_t>(rng());
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
