#include "tools/framework/ToolSettings.h"

#include "settings/SettingsStore.h"

namespace kv {

ToolSettings::ToolSettings(SettingsStore& store)
    : primaryColor(store.colorSetting(kPrimaryColorSetting)),
      secondaryColor(store.colorSetting(kSecondaryColorSetting)),
      selectorShape(store.unsignedSetting(kSelectorShapeSetting)),
      magicWandTolerance(store.unsignedSetting(kMagicWandToleranceSetting)),
      pencilSize(store.unsignedSetting(kPencilSizeSetting)),
      brushSize(store.unsignedSetting(kBrushSizeSetting)),
      brushHardness(store.unsignedSetting(kBrushHardnessSetting)),
      brushOpacity(store.unsignedSetting(kBrushOpacitySetting)),
      gradientType(store.unsignedSetting(kGradientTypeSetting)),
      floodFillTolerance(store.unsignedSetting(kFloodFillToleranceSetting)),
      eraserSize(store.unsignedSetting(kEraserSizeSetting)),
      textFontName(store.textSetting(kTextFontNameSetting)),
      textFontStyle(store.unsignedSetting(kTextFontStyleSetting)),
      textFontSize(store.unsignedSetting(kTextFontSizeSetting)),
      textMemoryLimit(store.unsignedSetting(kTextMemoryLimitSetting)),
      rectangleType(store.unsignedSetting(kRectangleTypeSetting)),
      rectangleOutlineWidth(store.unsignedSetting(kRectangleOutlineWidthSetting)),
      ellipseType(store.unsignedSetting(kEllipseTypeSetting)),
      ellipseOutlineWidth(store.unsignedSetting(kEllipseOutlineWidthSetting)) {}

Color32 ToolSettings::colorFor(MouseButton button) const {
    return button == MouseButton::Right ? secondaryColor.value() : primaryColor.value();
}

Color32 ToolSettings::otherColorFor(MouseButton button) const {
    return colorFor(button == MouseButton::Right ? MouseButton::Left : MouseButton::Right);
}

void ToolSettings::setColorFor(MouseButton button, Color32 color) {
    (button == MouseButton::Right ? secondaryColor : primaryColor).setValue(color);
}

} // namespace kv
