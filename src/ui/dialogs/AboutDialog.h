#pragma once
#include <QDialog>

namespace kv {

// "About Korvane": the name, the version and a link to the home page.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

// The program's home page.
inline constexpr const char* kHomePage = "https://korvane.example.org/";

} // namespace kv
