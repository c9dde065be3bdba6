#pragma once
#include <QScrollArea>

class QVBoxLayout;

namespace kv {

class ColorPanel;
class CommandHost;
class FoldingPanel;
class ImagePanel;
class PreviewPanel;
class ProjectPanel;
class SettingsStore;
class ThumbnailCache;
class ToolPanel;
class ToolSettings;

// The right-hand column of folding panels, 204 pixels wide: Project, Image,
// Tool, Color and Preview, top to bottom.
class PanelColumn : public QScrollArea {
    Q_OBJECT
  public:
    PanelColumn(CommandHost& host, SettingsStore& settings, ToolSettings& colors,
                ThumbnailCache& thumbnails, QWidget* parent = nullptr);

    static constexpr int kWidth = 204;

    ProjectPanel& projectPanel() const { return *m_project; }
    ImagePanel& imagePanel() const { return *m_image; }
    ToolPanel& toolPanel() const { return *m_tool; }
    ColorPanel& colorPanel() const { return *m_color; }
    PreviewPanel& previewPanel() const { return *m_preview; }
    // By name: "Project", "Image", "Tool", "Color", "Preview".
    FoldingPanel* fold(const QString& name) const;

  private:
    FoldingPanel* addPanel(const QString& name, QWidget* content, QWidget* resizable);

    SettingsStore& m_settings;
    QVBoxLayout* m_layout = nullptr;
    ProjectPanel* m_project = nullptr;
    ImagePanel* m_image = nullptr;
    ToolPanel* m_tool = nullptr;
    ColorPanel* m_color = nullptr;
    PreviewPanel* m_preview = nullptr;
};

} // namespace kv
