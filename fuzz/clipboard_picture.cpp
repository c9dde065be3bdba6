// Arbitrary bytes as every clipboard form another program may offer: the
// private block, a device-independent bitmap and a bitmap file. A picture
// that reads must have the size its header claims, and must survive being
// offered again.
#include "editing/clipboard/ClipboardFormats.h"
#include "model/MaskArray.h"

#include <cstdint>

using namespace kv;

namespace {

void Check(const PastePicture& picture) {
    if (picture.pixels.isEmpty()) __builtin_trap();
    // What was read goes out again: the forms must take any picture.
    MaskArray mask(picture.pixels.width(), picture.pixels.height());
    mask.fill(255);
    const auto clip = BuildClipPicture(picture.pixels, mask, picture.pixels.bounds(), 32,
                                       picture.resolutionX, picture.resolutionY);
    if (!clip) __builtin_trap();
    const auto v5 = DibV5ClipData(*clip);
    PastePicture back;
    if (!ReadDibClipData(v5.data(), v5.size(), back) || !back.pixels.sameContents(picture.pixels))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Keep each input's pictures small: a header may claim any size, and
    // only the data it really holds is ever read.
    if (size > (1u << 16)) return 0;
    PastePicture picture;
    if (ReadPrivateClipData(data, size, picture)) Check(picture);
    if (ReadDibClipData(data, size, picture)) Check(picture);
    if (ReadBmpFileData(data, size, picture)) Check(picture);
    return 0;
}
