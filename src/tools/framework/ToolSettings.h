#pragma once
// The settings the tools read and write, looked up once by name so that the
// tools use them through typed references.
#include "model/Color32.h"
#include "tools/framework/ToolTypes.h"

namespace kv {

class ColorSetting;
class SettingsStore;
class UnsignedSetting;

inline constexpr const char* kPrimaryColorSetting = "Drawing.Colors.Primary";
inline constexpr const char* kSecondaryColorSetting = "Drawing.Colors.Secondary";
inline constexpr const char* kPencilSizeSetting = "Drawing.Tools.Pencil.Size";
inline constexpr const char* kBrushSizeSetting = "Drawing.Tools.Brush.Size";
inline constexpr const char* kBrushHardnessSetting = "Drawing.Tools.Brush.Hardness";
inline constexpr const char* kBrushOpacitySetting = "Drawing.Tools.Brush.Opacity";
inline constexpr const char* kEraserSizeSetting = "Drawing.Tools.Eraser.Size";

class ToolSettings {
  public:
    // Throws CKVException when the store lacks one of them (a programming error).
    explicit ToolSettings(SettingsStore& store);

    // The primary colour goes with the left button, the secondary with the right.
    Color32 colorFor(MouseButton button) const;
    void setColorFor(MouseButton button, Color32 color);

    ColorSetting& primaryColor;
    ColorSetting& secondaryColor;
    UnsignedSetting& pencilSize;
    UnsignedSetting& brushSize;
    UnsignedSetting& brushHardness;
    UnsignedSetting& brushOpacity;
    UnsignedSetting& eraserSize;
};

} // namespace kv
