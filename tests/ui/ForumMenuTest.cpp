// The submenu «Forum du fil»: one item per forum, the game's forum checked (at start-up, at each
// opening, after a choice the file refuses); a click on an item makes «Copier» and the preview
// write for that forum.
#include "Form1.h"
#include "GameController.h"
#include "UiFixture.h"
#include "StoreFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

TEST(ForumMenu, ClickedItemMakesCopierAndThePreviewWriteForItsForum)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plimo.mdb"));
    ASSERT_NO_FATAL_FAILURE(makeSampleStore(path));
    GameController game;
    Form1 window(game);
    ASSERT_TRUE(window.startUp(startUpOn(path)));
    window.show();
    const auto item = [&](const char* name) {
        return window.findChild<QAction*>(QLatin1String(name));
    };
    // Its place in «Fichier» is in the window's table of menu items.
    auto* forums = window.findChild<QMenu*>(QStringLiteral("mnu_forum"));
    ASSERT_TRUE(forums);
    EXPECT_EQ(forums->actions().size(), qsizetype(kForums.size()));
    EXPECT_TRUE(item("mnu_forum_origine")->isChecked());

    forums->popup(window.mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(forums));
    QTest::mouseClick(forums, Qt::LeftButton, {},
                      forums->actionGeometry(item("mnu_forum_phpbb3")).center());
    EXPECT_EQ(game.forum(), Forum::Phpbb3);
    EXPECT_TRUE(item("mnu_forum_phpbb3")->isChecked());
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("bt_copier")), Qt::LeftButton);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(
        QStringLiteral("[code]** ****[/code]\n[b][color=#FF0000]")));

    // The preview follows the forum: phpBB's code box, then none on the forum of origin.
    item("mnu_apercu")->trigger();
    QTextBrowser* shown = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        shown = shown ? shown : top->findChild<QTextBrowser*>(QStringLiteral("apercu"));
    ASSERT_TRUE(shown);
    const auto boxed = [shown] {
        return shown->document()->firstBlock().blockFormat().hasProperty(
            QTextFormat::BackgroundBrush);
    };
    EXPECT_TRUE(boxed());
    item("mnu_forum_origine")->trigger();
    EXPECT_FALSE(boxed());
    shown->window()->close();
}

TEST(ForumMenu, TheCheckedItemIsAlwaysTheGamesForum)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plimo.mdb"));
    ASSERT_NO_FATAL_FAILURE(makeSampleStore(path));
    {
        GameController maker;
        ASSERT_FALSE(maker.openGame(path));
        ASSERT_FALSE(maker.setForum(Forum::Phpbb3));
    }
    // A later version's file, on the forum of origin, refuses a choice.
    const QString later = dir.filePath(QStringLiteral("plus-tard.mdb"));
    ASSERT_NO_FATAL_FAILURE(makeSampleStore(later, {QStringLiteral("PRAGMA user_version = 99")}));
    GameController game;
    RecordingSink sink;
    Form1 window(game, &sink);
    ASSERT_TRUE(window.startUp(startUpOn(path)));
    const auto checked = [&] {
        QStringList names;
        for (const QAction* item : window.findChild<QMenu*>(QStringLiteral("mnu_forum"))->actions())
            if (item->isChecked())
                names << item->objectName();
        return names;
    };
    EXPECT_EQ(checked(), QStringList{QStringLiteral("mnu_forum_phpbb3")});
    ASSERT_FALSE(game.openGame(later));
    EXPECT_EQ(checked(), QStringList{QStringLiteral("mnu_forum_origine")});
    window.findChild<QAction*>(QStringLiteral("mnu_forum_mybb"))->trigger();
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(checked(), QStringList{QStringLiteral("mnu_forum_origine")});
}

} // namespace
