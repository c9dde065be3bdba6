#pragma once
#include <QWidget>

#include <string>

class QSpacerItem;
class QToolButton;
class QVBoxLayout;

namespace kv {

class SettingsStore;

// A panel of the right-hand column: a title bar that folds the body away,
// and a body whose resizable part keeps its height. Both are kept in the
// settings as "Panels.<name>.Body.Folded" and "...ClientHeight".
class FoldingPanel : public QWidget {
    Q_OBJECT
  public:
    FoldingPanel(const QString& name, SettingsStore& settings, QWidget* parent = nullptr);

    // The body's controls go here, top to bottom.
    QVBoxLayout* bodyLayout() const { return m_bodyLayout; }
    // The one control that takes the kept height (a list, a grid).
    void setResizablePart(QWidget* part);
    // For a body whose controls need their room: the kept height is only its
    // least height.
    void setGrowingPart(QWidget* part);

    bool folded() const;
    void setFolded(bool folded);
    int bodyHeight() const;
    void setBodyHeight(int height);

  private:
    std::string settingName(const char* leaf) const;
    void applyHeight();

    QString m_name;
    SettingsStore& m_settings;
    QToolButton* m_title = nullptr;
    QWidget* m_body = nullptr;
    QVBoxLayout* m_bodyLayout = nullptr;
    QWidget* m_resizable = nullptr;
    bool m_growing = false;
    QSpacerItem* m_leastHeight = nullptr;
};

} // namespace kv
