#pragma once
#include "tools/freehand/HardTipTool.h"

namespace kv {

// Paints the hard, grid-aligned tip in the primary (left button) or secondary
// (right button) colour.
class PencilTool final : public HardTipTool {
  public:
    PencilTool(ToolHost& host, ToolSettings& settings);
};

} // namespace kv
