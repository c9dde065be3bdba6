// Feeds arbitrary bytes to the undo data decoder and to a region restore:
// damaged data must be refused without a crash or an unbounded allocation.
#include "editing/history/ActionCoder.h"
#include "editing/records/RegionRecord.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    // The first two bytes choose a region size of at most 64 x 64.
    const std::int32_t w = data[0] % 65;
    const std::int32_t h = data[1] % 65;
    kv::RegionRecord record;
    record.width = w;
    record.height = h;
    record.data = std::make_unique<kv::ActionData>();
    record.data->appendBlock(data + 2, static_cast<std::uint32_t>(size - 2));
    record.data->setUncompressedSize(static_cast<std::uint32_t>(w * h * 4));
    std::vector<std::uint8_t> out;
    kv::DecodeActionData(*record.data, out);
    kv::PixelArray target(64, 64);
    target.fill(0);
    kv::RestoreRegion(&record, target, kv::RestoreMode::Add);
    return 0;
}
