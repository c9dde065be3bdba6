#pragma once
#include <QDialog>

#include <optional>
#include <string>

class QLabel;
class QListWidget;

namespace kv {

// "Select a font": the fonts of the system with a sample of the chosen one.
class SelectFontDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SelectFontDialog(const std::string& current, QWidget* parent = nullptr);

    std::string family() const;
    QListWidget& list() { return *m_list; }
    QLabel& sample() { return *m_sample; }

  private:
    QListWidget* m_list;
    QLabel* m_sample;
};

// Asks for a font family; nothing when the user cancelled.
std::optional<std::string> ChooseFontFamily(const std::string& current, QWidget* parent = nullptr);

} // namespace kv
