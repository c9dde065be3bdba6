#pragma once
#include <QDialog>

#include <functional>
#include <vector>

class QFormLayout;
class QTabWidget;

namespace kv {

class SettingsStore;

// "Options": the settings the user may change, on five pages. The fields
// edit the settings' pending values; "Apply" makes them current, "Reset to
// defaults" brings the defaults back into the fields.
class OptionsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit OptionsDialog(SettingsStore& settings, QWidget* parent = nullptr);

    QTabWidget& pages() { return *m_pages; }
    // Fields -> pending -> current.
    void apply();
    // Defaults -> pending -> fields.
    void resetToDefaults();

  private:
    QFormLayout* addPage(const QString& title);
    void addNumber(QFormLayout& page, const QString& label, const char* name, int low, int high,
                   int scale = 1);
    void addCheck(QFormLayout& page, const QString& label, const char* name);
    void addColors(QFormLayout& page, const QString& label, const char* first, const char* second);
    void loadFields();

    SettingsStore& m_settings;
    QTabWidget* m_pages;
    std::vector<const char*> m_names;
    std::vector<std::function<void()>> m_loaders; // pending -> field
    std::vector<std::function<void()>> m_storers; // field -> pending
};

} // namespace kv
