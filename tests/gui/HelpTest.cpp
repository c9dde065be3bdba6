#include "GuiTestSupport.h"

#include "ui/dialogs/HelpTopics.h"
#include "ui/dialogs/HelpWindow.h"
#include "ui/menus/ShortcutTable.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

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

} // namespace
} // namespace kv::test
