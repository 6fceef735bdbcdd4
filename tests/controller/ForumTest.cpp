// The game's forum: a choice is stored at once, leaves the game's save state alone and is
// announced once; the post follows it; a new game takes the open game's forum and every game
// opened brings its own; a choice the file refuses changes nothing.
#include "ControllerFixture.h"

namespace {

TEST_F(ControllerTest, ForumIsStoredAtOnceTakenByANewGameAndBroughtByEachGame)
{
    ASSERT_NO_FATAL_FAILURE(startSaved());
    QList<Forum> heard;
    QObject context;
    QObject::connect(&m_game, &GameController::forumChanged, &context,
                     [&](Forum forum) { heard << forum; });
    m_game.forumPost();
    ASSERT_FALSE(m_game.setForum(Forum::Phpbb3));
    EXPECT_FALSE(m_game.isModified());
    EXPECT_EQ(m_game.forumPost().text,
              QStringLiteral("[code]** ****[/code]\n"
                             "[b][color=#FF0000]0[/color][/b] lettre(s) trouvée(s). \n"
                             "[b][color=#FF0000]4[/color][/b] lettres à placer \n"
                             "[code]A C H T [/code]\n"));
    const QString other = m_dir.filePath(QStringLiteral("fil-2.mdb"));
    ASSERT_FALSE(m_game.setRankingInPost(true));
    ASSERT_FALSE(m_game.newGame(other));
    EXPECT_TRUE(m_game.rankingInPost());
    ASSERT_FALSE(m_game.setForum(Forum::Markdown));
    ASSERT_FALSE(m_game.openGame(m_path));
    ASSERT_FALSE(m_game.openGame(other));
    // A later version's file, without the options this version knows, refuses the choice.
    const QString later = m_dir.filePath(QStringLiteral("plus-tard.mdb"));
    ASSERT_NO_FATAL_FAILURE(makeSampleStore(later, {QStringLiteral("PRAGMA user_version = 99")}));
    ASSERT_FALSE(m_game.openGame(later));
    EXPECT_EQ(m_game.setForum(Forum::Mybb)->icon, MessageIcon::Critical);
    EXPECT_EQ(m_game.forum(), Forum::Origine);
    EXPECT_EQ(heard, (QList<Forum>{Forum::Phpbb3, Forum::Phpbb3, Forum::Markdown, Forum::Phpbb3,
                                   Forum::Markdown, Forum::Origine}));
}

} // namespace
