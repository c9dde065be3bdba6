#pragma once
// New images as the new-project and new-image dialogs describe them.
#include "commands/host/DialogValues.h"

#include <memory>

namespace kv {

class Image;

// An image of the dialog's size, format and export flag with one empty
// layer (supersampled when asked and allowed), or, borrowing, a copy of
// every layer of `borrowFrom` scaled to the new size, the copy of its
// current layer made current. Raises CKVException ("Image creation failed")
// when it cannot be made.
std::unique_ptr<Image> CreateNewImage(const NewImageValues& values,
                                      const Image* borrowFrom = nullptr);

// The dialog's starting values from the remembered settings.
NewImageValues NewImageDefaults(bool forNewProject);
// Remembers the size and format the user chose.
void RememberNewImageValues(const NewImageValues& values);

} // namespace kv
