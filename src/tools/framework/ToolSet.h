#pragma once
#include "tools/framework/Tool.h"
#include "tools/framework/ToolCatalog.h"
#include "tools/framework/ToolSettings.h"

#include <array>
#include <memory>

namespace kv {

class SettingsStore;
class ToolHost;

// One instance of each tool for the whole run, and the current one (none at
// first). The host and the settings store must outlive it.
class ToolSet {
  public:
    ToolSet(ToolHost& host, SettingsStore& settings);
    ~ToolSet();
    ToolSet(const ToolSet&) = delete;
    ToolSet& operator=(const ToolSet&) = delete;

    Tool& tool(ToolId id) { return *m_tools[static_cast<std::size_t>(id)]; }
    Tool* current() const { return m_current; }
    ToolSettings& settings() { return m_settings; }

    // Makes the tool current: the old one is deactivated, the new one
    // activated and its options shown, then the view and the cursor follow.
    // Choosing the current tool does nothing and answers false.
    bool select(ToolId id);

  private:
    ToolHost& m_host;
    ToolSettings m_settings;
    std::array<std::unique_ptr<Tool>, kToolCount> m_tools;
    Tool* m_current = nullptr;
};

} // namespace kv
