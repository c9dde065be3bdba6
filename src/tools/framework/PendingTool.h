#pragma once
#include "tools/framework/Tool.h"

namespace kv {

// A toolbox entry whose tool is not built yet: it keeps every default of
// Tool, so choosing it shows the arrow and changes nothing.
class PendingTool final : public Tool {
  public:
    using Tool::Tool;
};

} // namespace kv
