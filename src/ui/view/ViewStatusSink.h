#pragma once
// Where the view sends what belongs in the status bar: the tools' texts by
// field and the zoom label. The main window connects one; without it the
// texts are only kept by the view.
#include "tools/framework/ToolTypes.h"

#include <string>

namespace kv {

class ViewStatusSink {
  public:
    virtual ~ViewStatusSink() = default;
    // An empty text clears the field.
    virtual void statusTextChanged(StatusField field, const std::string& text) = 0;
    // "%d00%" after every change of the zoom level.
    virtual void zoomLabelChanged(const std::string& label) = 0;
};

} // namespace kv
