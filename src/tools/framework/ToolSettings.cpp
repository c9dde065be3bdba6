#include "tools/framework/ToolSettings.h"

#include "settings/SettingsStore.h"

namespace kv {

ToolSettings::ToolSettings(SettingsStore& store)
    : primaryColor(store.colorSetting(kPrimaryColorSetting)),
      secondaryColor(store.colorSetting(kSecondaryColorSetting)),
      pencilSize(store.unsignedSetting(kPencilSizeSetting)),
      brushSize(store.unsignedSetting(kBrushSizeSetting)),
      brushHardness(store.unsignedSetting(kBrushHardnessSetting)),
      brushOpacity(store.unsignedSetting(kBrushOpacitySetting)),
      eraserSize(store.unsignedSetting(kEraserSizeSetting)) {}

Color32 ToolSettings::colorFor(MouseButton button) const {
    return button == MouseButton::Right ? secondaryColor.value() : primaryColor.value();
}

void ToolSettings::setColorFor(MouseButton button, Color32 color) {
    (button == MouseButton::Right ? secondaryColor : primaryColor).setValue(color);
}

} // namespace kv
