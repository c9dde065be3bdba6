// Arbitrary bytes as a swatch set file. Every outcome is a list of swatches
// or a message; a list that loads must save and load back the same.
#include "platform/Exceptions.h"
#include "storage/swatches/SwatchSetFile.h"

#include <cstdint>

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<Color32> swatches;
    try {
        swatches = LoadSwatchSetMemory(data, size, MakeColor32(0, 0, 0, 255));
    } catch (const CKVException& e) {
        if (e.message().empty()) __builtin_trap();
        return 0;
    }
    const std::vector<std::uint8_t> bytes = SwatchSetBytes(swatches);
    if (LoadSwatchSetMemory(bytes.data(), bytes.size(), 0) != swatches) __builtin_trap();
    return 0;
}
