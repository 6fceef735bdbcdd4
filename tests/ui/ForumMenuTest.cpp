// The submenu «Forum du fil»: one item per forum, the game's forum checked; a click on an item makes «Copier» and the preview write for that forum.
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

} // namespace
