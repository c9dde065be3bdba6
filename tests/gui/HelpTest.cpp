#include "GuiTestSupport.h"

#include "ui/dialogs/HelpTopics.h"
#include "ui/dialogs/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace kv::test {
namespace {

QString ReadTopic(const QString& name) {
    QFile file(HelpFolder() + "/" + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(HelpTest, EveryTopicTheProgramNamesExistsAndEveryLinkLeadsToATopic) {
    App();
    const QStringList named = {help::kContents, help::kKeyboard,        help::kNewProject,
                               help::kNewImage, help::kImageProperties, help::kLayerProperties,
                               help::kOptions};
    for (const QString& topic : named)
        EXPECT_FALSE(ReadTopic(topic).isEmpty()) << topic.toStdString();
    const QRegularExpression link("href=\"([^\"#:]+)\"");
    for (const QString& topic : QDir(HelpFolder()).entryList({"*.html"})) {
        auto matches = link.globalMatch(ReadTopic(topic));
        while (matches.hasNext()) {
            const QString target = matches.next().captured(1);
            EXPECT_TRUE(QFile::exists(HelpFolder() + "/" + target))
                << topic.toStdString() << " links to " << target.toStdString();
        }
    }
}

TEST(HelpTest, KeyboardPageListsTheShortcutTable) {
    App();
    const QString page = ReadTopic(help::kKeyboard);
    for (const char* keys : {"Ctrl+N", "Ctrl+Shift+N", "Ctrl+Shift+PageDown", "F1", "F7"})
        EXPECT_TRUE(page.contains(QString("<kbd>%1</kbd>").arg(keys))) << keys;
    EXPECT_TRUE(page.contains("Selection &gt; Deselect"));
}

TEST(HelpTest, BrowserShowsATopicAndSaysWhenOneIsMissing) {
    App();
    HelpWindow window;
    EXPECT_TRUE(window.showTopic(help::kNewImage));
    EXPECT_TRUE(window.browser().toPlainText().contains("Borrow"));
    EXPECT_FALSE(window.showTopic("no-such-topic.html"));
    EXPECT_TRUE(window.browser().toPlainText().contains("no-such-topic.html"));
}

} // namespace
} // namespace kv::test
