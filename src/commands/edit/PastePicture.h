#pragma once
// Writing a picture read from the clipboard into the current image: as a
// new layer centred on the view (normal mode) or into the current layer,
// centred on it, by channel mode.
#include "editing/clipboard/ClipboardFormats.h"
#include "model/ChannelMode.h"
#include "tools/framework/ToolGeometry.h"

#include <optional>

namespace kv {

class CommandHost;
class Image;

// A new layer above the current one (on top without one) holding the
// picture centred on `centre`; at 8x when the current layer is a visible
// supersampled one. The selection is cleared. Undone as one action.
bool PasteAsNewLayer(CommandHost& host, Image& image, const PastePicture& picture,
                     ImagePoint centre);

// The picture centred on the current layer (a visible raster layer),
// clipped to it and written by channel mode; an active selection goes.
bool PasteIntoLayer(CommandHost& host, Image& image, const PastePicture& picture, ChannelMode mode);

// An imported image's flattened picture, pasted like a clipboard picture.
std::optional<PastePicture> PictureOfImage(const Image& image);

} // namespace kv
