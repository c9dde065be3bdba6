#pragma once
#include "tools/framework/ToolOptions.h"

#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace kv {

class SettingsStore;
class Tool;

// The current tool's option controls, built from the options the tool
// describes, with the tip picture of the painting tools. Changing a control
// writes its setting and tells the tool.
class ToolPanel : public QWidget {
    Q_OBJECT
  public:
    explicit ToolPanel(SettingsStore& settings, QWidget* parent = nullptr);

    // Replaces the controls with those of the tool (none for null).
    void showTool(Tool* tool, const OptionsPanel& panel);
    Tool* tool() const { return m_tool; }
    // The tip picture as shown (null without one).
    QLabel* tipPreview() const { return m_preview; }
    // The line shown instead of controls (null while there are controls).
    QLabel* hint() const { return m_hint; }

    static constexpr int kPreviewBox = 64;
    static constexpr const char* kNoToolHint = "Choose a tool in the toolbox.";
    static constexpr const char* kNoOptionsHint = "This tool has no options.";

  private:
    QWidget* buildControl(const ToolOption& option);
    QWidget* buildSlider(const ToolOption& option);
    QWidget* buildPictureButtons(const ToolOption& option);
    QWidget* buildDropDown(const ToolOption& option);
    QWidget* buildNumber(const ToolOption& option);
    QWidget* buildFontName(const ToolOption& option);
    QWidget* buildTextField();
    std::int32_t valueOf(const ToolOption& option) const;
    void setValue(const ToolOption& option, std::int32_t value);
    void optionChanged();
    void updatePreview();

    SettingsStore& m_settings;
    Tool* m_tool = nullptr;
    QWidget* m_controls = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QLabel* m_preview = nullptr;
    QLabel* m_hint = nullptr;
};

} // namespace kv
