#include "ui/view/ViewSettings.h"

#include "settings/SettingsStore.h"

#include <algorithm>

namespace kv {
namespace {

// A timer period of 0 would spin; at least a millisecond.
int Period(const UnsignedSetting& setting) {
    return static_cast<int>(std::clamp<std::uint32_t>(setting.value(), 1u, 60000u));
}

} // namespace

ViewSettings::ViewSettings(SettingsStore& store)
    : m_chequerA(store.colorSetting("UI.Colors.Chequer.A")),
      m_chequerB(store.colorSetting("UI.Colors.Chequer.B")),
      m_gridA(store.colorSetting("UI.Colors.Grid.A")),
      m_gridB(store.colorSetting("UI.Colors.Grid.B")),
      m_autoScrollInterval(store.unsignedSetting("Timings.AutoScrollInterval")),
      m_outlineInterval(store.unsignedSetting("Timings.MaskAnimationInterval")) {}

ViewColors ViewSettings::colors() const {
    // The chequer is the opaque ground everything else is blended over.
    return {WithAlpha(m_chequerA.value(), 255), WithAlpha(m_chequerB.value(), 255), m_gridA.value(),
            m_gridB.value()};
}

int ViewSettings::autoScrollInterval() const {
    return Period(m_autoScrollInterval);
}

int ViewSettings::outlineAnimationInterval() const {
    return Period(m_outlineInterval);
}

} // namespace kv
