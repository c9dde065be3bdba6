#include "GuiTestSupport.h"

#include "ui/dialogs/HelpTopics.h"
#include "ui/dialogs/HelpWindow.h"
#include "ui/menus/ShortcutTable.h"

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

// The page the build wrote lists every row of the table, with all its keys,
// and nothing else.
TEST(HelpTest, KeyboardPageListsEveryShortcutOfTheTable) {
    App();
    const QString page = ReadTopic(help::kKeyboard);
    const QRegularExpression row("<tr><td>([^<]*)</td><td>([^<]*)</td><td>(.*)</td></tr>");
    QStringList listed;
    for (auto rows = row.globalMatch(page); rows.hasNext();) {
        const auto match = rows.next();
        listed << match.captured(2) + " = " + match.captured(3);
    }
    QStringList table;
    for (const MenuShortcut& shortcut : MenuShortcuts()) {
        QStringList keys;
        for (QKeyCombination key : shortcut.keys()) {
            ASSERT_FALSE(KeyText(key).isEmpty()) << shortcut.item;
            keys << "<kbd>" + KeyText(key).toHtmlEscaped() + "</kbd>";
        }
        table << QString::fromUtf8(shortcut.item).remove('&').toHtmlEscaped() + " = " +
                     keys.join(", ");
    }
    EXPECT_EQ(listed, table);
    EXPECT_TRUE(page.contains("<td>Edit</td><td>Selection &gt; Deselect</td>"));
}

TEST(HelpTest, KeysAreNamedAsTheMenusWriteThem) {
    const struct {
        QKeyCombination key;
        const char* text;
    } cases[] = {
        {Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_PageDown, "Ctrl+Shift+PageDown"},
        {Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Plus, "Ctrl+Num+"},
        {Qt::ControlModifier | Qt::Key_Minus, "Ctrl+-"},
        {Qt::AltModifier | Qt::Key_PageUp, "Alt+PageUp"},
        {QKeyCombination(Qt::Key_Delete), "Delete"},
        {QKeyCombination(Qt::Key_F12), "F12"},
        {Qt::ControlModifier | Qt::Key_F4, "Ctrl+F4"},
        // A key the table does not use has no name, which fails the build.
        {QKeyCombination(Qt::Key_Tab), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyText(c.key), c.text) << c.text;
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
