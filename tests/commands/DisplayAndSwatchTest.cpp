#include "CommandTestSupport.h"

#include "commands/host/DisplayTexts.h"
#include "commands/swatches/SwatchSets.h"

#include <set>

namespace kv::test {
namespace {

TEST(DisplayTexts, ByteSizesAtTheUnitBoundaries) {
    const std::pair<std::uint64_t, const char*> cases[] = {
        {0, "0"},           {1023, "1023"},           {1024, "1.00K"},
        {1536, "1.50K"},    {1048575, "1024.00K"},    {1048576, "1.00M"},
        {5452595, "5.20M"}, {4294967296, "4096.00M"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(ByteSizeText(bytes), text) << bytes;
}

TEST(SwatchSets, WebSafeHoldsEveryMultipleOf51Once) {
    const std::vector<Color32> colors = WebSafeSwatchSet();
    ASSERT_EQ(colors.size(), 216u);
    EXPECT_EQ(std::set<Color32>(colors.begin(), colors.end()).size(), 216u);
    for (Color32 c : colors) {
        EXPECT_EQ(AlphaOf(c), 255u);
        for (unsigned channel : {RedOf(c), GreenOf(c), BlueOf(c)})
            EXPECT_EQ(channel % 51, 0u);
    }
    EXPECT_EQ(colors[1], MakeColor32(0, 0, 51, 255)) << "blue changes fastest";
}

} // namespace
} // namespace kv::test
