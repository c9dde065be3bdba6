#pragma once
// The settings the tools read and write, looked up once by name so that the
// tools use them through typed references.
#include "model/Color32.h"
#include "tools/framework/ToolTypes.h"

namespace kv {

class ColorSetting;
class SettingsStore;
class TextSetting;
class UnsignedSetting;

inline constexpr const char* kPrimaryColorSetting = "Drawing.Colors.Primary";
inline constexpr const char* kSecondaryColorSetting = "Drawing.Colors.Secondary";
inline constexpr const char* kSelectorShapeSetting = "Drawing.Tools.Selector.Shape";
inline constexpr const char* kMagicWandToleranceSetting = "Drawing.Tools.MagicWand.Tolerance";
inline constexpr const char* kPencilSizeSetting = "Drawing.Tools.Pencil.Size";
inline constexpr const char* kBrushSizeSetting = "Drawing.Tools.Brush.Size";
inline constexpr const char* kBrushHardnessSetting = "Drawing.Tools.Brush.Hardness";
inline constexpr const char* kBrushOpacitySetting = "Drawing.Tools.Brush.Opacity";
inline constexpr const char* kGradientTypeSetting = "Drawing.Tools.Gradient.Type";
inline constexpr const char* kFloodFillToleranceSetting = "Drawing.Tools.FloodFiller.Tolerance";
inline constexpr const char* kEraserSizeSetting = "Drawing.Tools.Eraser.Size";
inline constexpr const char* kTextFontNameSetting = "Drawing.Tools.Text.Font.Name";
inline constexpr const char* kTextFontStyleSetting = "Drawing.Tools.Text.Font.Style";
inline constexpr const char* kTextFontSizeSetting = "Drawing.Tools.Text.Font.Size";
inline constexpr const char* kTextMemoryLimitSetting = "Limits.Tools.Text.MemoryLimit";
inline constexpr const char* kRectangleTypeSetting = "Drawing.Tools.Rectangle.Type";
inline constexpr const char* kRectangleOutlineWidthSetting = "Drawing.Tools.Rectangle.OutlineWidth";
inline constexpr const char* kEllipseTypeSetting = "Drawing.Tools.Ellipse.Type";
inline constexpr const char* kEllipseOutlineWidthSetting = "Drawing.Tools.Ellipse.OutlineWidth";

class ToolSettings {
  public:
    // Throws CKVException when the store lacks one of them (a programming error).
    explicit ToolSettings(SettingsStore& store);

    // The primary colour goes with the left button, the secondary with the right.
    Color32 colorFor(MouseButton button) const;
    void setColorFor(MouseButton button, Color32 color);
    // The colour of the other button: what fills a shape's inside, where a
    // gradient ends.
    Color32 otherColorFor(MouseButton button) const;

    ColorSetting& primaryColor;
    ColorSetting& secondaryColor;
    UnsignedSetting& selectorShape;
    UnsignedSetting& magicWandTolerance;
    UnsignedSetting& pencilSize;
    UnsignedSetting& brushSize;
    UnsignedSetting& brushHardness;
    UnsignedSetting& brushOpacity;
    UnsignedSetting& gradientType;
    UnsignedSetting& floodFillTolerance;
    UnsignedSetting& eraserSize;
    TextSetting& textFontName;
    UnsignedSetting& textFontStyle;
    UnsignedSetting& textFontSize;
    UnsignedSetting& textMemoryLimit;
    UnsignedSetting& rectangleType;
    UnsignedSetting& rectangleOutlineWidth;
    UnsignedSetting& ellipseType;
    UnsignedSetting& ellipseOutlineWidth;
};

} // namespace kv
