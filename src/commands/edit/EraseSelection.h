#pragma once
// Erase: the selected part of the current layer becomes transparent black,
// weighted by the selection's coverage; Cut uses it after copying.
#include "model/ChannelMode.h"
#include "model/Color32.h"

#include <cstdint>
#include <string>

namespace kv {

class CommandHost;
class Image;

// One pixel erased under mask byte m: in normal mode both colour and alpha
// go toward transparent black, in colour-only mode the colour goes to black,
// in alpha-only mode the alpha goes to 0.
Color32 ErasedPixel(Color32 pixel, std::uint32_t m, ChannelMode mode);

// Whether Erase can work: an active selection and a visible raster layer.
bool CanErase(const Image* image);

// Erases the selection from the current layer of the current image and
// records it under the label ("Erase", "Cut"). Beeps and does nothing
// without an active selection and a visible raster layer.
bool EraseSelection(CommandHost& host, const std::string& label);

} // namespace kv
