// The thread's rules: a choice is stored at once, leaves the game's save state alone and is
// announced once; a puzzle opened again still hides every letter it was initialised hiding,
// whatever the rules now say for the next one; a new game takes the open game's rules; a choice
// the file refuses changes nothing.
#include "ControllerFixture.h"

namespace {

TEST_F(ControllerTest, RulesAreStoredAtOnceAndThePuzzleKeepsTheLettersItHides)
{
    ASSERT_NO_FATAL_FAILURE(startSaved());
    QList<Rules> heard;
    QObject context;
    QObject::connect(&m_game, &GameController::rulesChanged, &context,
                     [&](const Rules& rules) { heard << rules; });
    ASSERT_FALSE(m_game.setRules({true, false}));
    EXPECT_FALSE(m_game.isModified());
    ASSERT_NO_FATAL_FAILURE(newPuzzle(QStringLiteral("DUFAŸ X")));
    EXPECT_EQ(m_game.session().soluce, QStringLiteral("***** *"));
    ASSERT_FALSE(m_game.save());
    ASSERT_FALSE(m_game.setRules({false, true}));

    ASSERT_FALSE(m_game.openGame(m_path));
    EXPECT_EQ(m_game.rules(), (Rules{false, true}));
    ASSERT_NO_FATAL_FAILURE(play(QStringLiteral("DUFAY Z")));
    EXPECT_EQ(m_game.session().soluce, QStringLiteral("DUFAŸ *"));
    EXPECT_EQ(m_game.session().lettres, QStringLiteral("X "));

    ASSERT_FALSE(m_game.newGame(m_dir.filePath(QStringLiteral("fil-2.mdb"))));
    EXPECT_EQ(m_game.rules(), (Rules{false, true}));
    // A later version's file, without the options this version knows, refuses the choice.
    const QString later = m_dir.filePath(QStringLiteral("plus-tard.mdb"));
    ASSERT_NO_FATAL_FAILURE(makeSampleStore(later, {QStringLiteral("PRAGMA user_version = 99")}));
    ASSERT_FALSE(m_game.openGame(later));
    EXPECT_EQ(m_game.setRules({true, true})->icon, MessageIcon::Critical);
    EXPECT_EQ(m_game.rules(), Rules{});
    const Rules all{true, false};
    const Rules accents{false, true};
    EXPECT_EQ(heard, (QList<Rules>{all, accents, accents, accents, Rules{}}));
}

} // namespace
