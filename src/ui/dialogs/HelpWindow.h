#pragma once
#include <QString>
#include <QWidget>

class QTextBrowser;

namespace kv {

// The folder the help topics are read from: $KORVANE_HELP_DIR when set,
// else "../share/korvane/help" beside the executable (the build tree lays
// the topics out the same way as an installed program).
QString HelpFolder();

// The one help browser window: topics with their links, back and forward.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the topic ("index.html" for the contents); false when the
    // topic's file is missing, and the window then says so.
    bool showTopic(const QString& topic);
    QTextBrowser& browser() { return *m_browser; }

    // Made at first use, closed with the application.
    static HelpWindow& instance();

  private:
    QTextBrowser* m_browser;
};

// Raises the help window at the topic.
void ShowHelpTopic(const QString& topic, QWidget* near = nullptr);

// F1 in the window (and the dialogs it owns without a topic of their own)
// opens the topic, the contents by default.
void InstallHelpKey(QWidget& window, const QString& topic);

} // namespace kv
