#include "editing/records/Snapshots.h"

#include "editing/records/LayerSnapshot.h"
#include "editing/records/SelectionSnapshot.h"
#include "model/Image.h"
#include "platform/ErrorReporter.h"

namespace kv {

bool EnsureSnapshots(const Image& image) {
    bool ok = true;
    LayerSnapshot& layerSnapshot = LayerSnapshot::instance();
    if (const LayerBase* layer = image.currentLayer(); layer && !layerSnapshot.matches(*layer))
        ok = layerSnapshot.take(*layer);
    SelectionSnapshot& selectionSnapshot = SelectionSnapshot::instance();
    if (const Selection* selection = image.selection();
        selection && !selectionSnapshot.matches(*selection))
        ok = selectionSnapshot.take(*selection) && ok;
    return ok;
}

bool CommitSnapshots(const Image& image) {
    bool ok = true;
    if (const LayerBase* layer = image.currentLayer()) ok = LayerSnapshot::instance().take(*layer);
    if (const Selection* selection = image.selection())
        ok = SelectionSnapshot::instance().take(*selection) && ok;
    if (!ok) ReportError("Commit failed");
    return ok;
}

} // namespace kv
