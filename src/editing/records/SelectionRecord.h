#pragma once
#include "editing/records/RegionRecord.h"

#include <cstdint>
#include <memory>

namespace kv {

class Image;
class Selection;

// The whole selection: its flags, size and editable mask.
struct SelectionRecord {
    bool active = false;
    bool supersampled = false;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::unique_ptr<RegionRecord> mask;

    // Null when the coder fails.
    static std::unique_ptr<SelectionRecord> take(const Selection& selection);
    // Nothing when the selection's size differs from the recorded one;
    // otherwise flags and mask come back and the lower levels follow.
    void restore(Selection& selection) const;
};

// The image's selection recorded when it has one: true on success or when
// there is no selection object.
bool TakeSelectionRecord(const Image& image, std::unique_ptr<SelectionRecord>& record);
void RestoreSelectionRecord(Image& image, const SelectionRecord* record);

} // namespace kv
