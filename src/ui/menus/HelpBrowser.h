#pragma once
#include <QStringList>
#include <QWidget>

class QTextBrowser;

namespace kv {

// The in-app help: a window over the HTML topics in the help folder. A
// topic that is not there gets a page that says so, not an empty window.
class HelpBrowser : public QWidget {
    Q_OBJECT
  public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    // Shows the topic ("keyboard.html") and brings the window up.
    void showTopic(const QString& topic);
    // The folder the topics were found in; empty when there is none.
    QString folder() const { return m_folder; }
    QTextBrowser& browser() { return *m_browser; }

    // Where the help may be, first match wins: beside the program, in the
    // installed data folder, in the source tree above the build folder.
    static QStringList candidateFolders();

  private:
    void showMissing(const QString& topic);

    QTextBrowser* m_browser;
    QString m_folder;
};

} // namespace kv
