#pragma once
// The settings the view reads, looked up once by name; their values are read
// at each use, so that a changed option shows at the next repaint.
#include "ui/view/ViewRenderer.h"

namespace kv {

class ColorSetting;
class SettingsStore;
class UnsignedSetting;

class ViewSettings {
  public:
    explicit ViewSettings(SettingsStore& store);

    ViewColors colors() const;
    int autoScrollInterval() const;
    int outlineAnimationInterval() const;

  private:
    ColorSetting& m_chequerA;
    ColorSetting& m_chequerB;
    ColorSetting& m_gridA;
    ColorSetting& m_gridB;
    UnsignedSetting& m_autoScrollInterval;
    UnsignedSetting& m_outlineInterval;
};

} // namespace kv
