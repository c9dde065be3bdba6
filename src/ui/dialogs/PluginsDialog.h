#pragma once
#include <QDialog>

class QListWidget;
class QPushButton;

namespace kv {

class FormatProvider;
class PluginHost;

// "Plugins": the loaded plug-ins; "Settings..." and "About..." call the
// selected plug-in's own dialogs, where it has them.
class PluginsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PluginsDialog(const PluginHost& host, QWidget* parent = nullptr);

    QListWidget& list() { return *m_list; }
    QPushButton& settingsButton() { return *m_settings; }
    QPushButton& aboutButton() { return *m_about; }
    const FormatProvider* selected() const;

  private:
    void selectionChanged();

    std::vector<const FormatProvider*> m_providers;
    QListWidget* m_list;
    QPushButton* m_settings;
    QPushButton* m_about;
};

} // namespace kv
