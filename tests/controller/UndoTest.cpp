// "Annuler le dernier tour": the game goes back to the turn before (found text, remaining
// letters, both counts), the undone proposal comes back to be corrected and played again, the
// restored state is the one a later conflict rolls back to, and the game is no longer saved.
// It repeats turn by turn down to turn 0, and nothing brings an undone turn back but playing it
// again. (Going back across puzzles is the thread's, tested with it.)
#include "ControllerFixture.h"
#include "PlayOn.h"

namespace {

using UndoTest = ControllerTest;

TEST_F(UndoTest, RepeatsTurnByTurnDownToTurnZero)
{
    playBothTurns();

    ASSERT_TRUE(m_game.undoLastTurn());
    expectShows(m_game, dort::kTurn1);
    EXPECT_EQ(m_game.session().propal, dort::kSecond);
    EXPECT_EQ(m_game.turns(), (QList<Turn>{dort::kTurn0, dort::kTurn1}));
    EXPECT_TRUE(m_game.canUndo());

    ASSERT_TRUE(m_game.undoLastTurn());
    expectShows(m_game, dort::kTurn0);
    EXPECT_EQ(m_game.session().propal, dort::kFirst);
    EXPECT_EQ(m_game.turns(), (QList<Turn>{dort::kTurn0}));
    EXPECT_FALSE(m_game.canUndo());

    const GameSession atTurnZero = m_game.session();
    EXPECT_FALSE(m_game.undoLastTurn());
    EXPECT_EQ(m_game.session(), atTurnZero);
    EXPECT_EQ(m_game.turns().size(), 1);
}

TEST_F(UndoTest, UndoneProposalReplacesAnEditedOne)
{
    newPuzzle(dort::kReference);
    play(dort::kFirst);
    m_game.proposalEdited(QStringLiteral("AUTRE CHOSE"));

    ASSERT_TRUE(m_game.undoLastTurn());

    EXPECT_EQ(m_game.session().propal, dort::kFirst);
}

TEST_F(UndoTest, UndoClearsTheSaveMarkerEvenWhenTheProposalIsUnchanged)
{
    // Right after a turn the proposal is the one played, so the undo does not change its text.
    startOnSample();
    newPuzzle(dort::kReference);
    play(dort::kFirst);
    ASSERT_FALSE(m_game.save());
    ASSERT_FALSE(m_game.isModified());

    ASSERT_TRUE(m_game.undoLastTurn());

    EXPECT_EQ(m_game.session().propal, dort::kFirst);
    EXPECT_TRUE(m_game.isModified());
    EXPECT_TRUE(m_game.isModified());
}

TEST_F(UndoTest, NothingToUndoKeepsTheSaveMarker)
{
    startOnSample();
    newPuzzle(dort::kReference);
    ASSERT_FALSE(m_game.save());

    EXPECT_FALSE(m_game.undoLastTurn());

    EXPECT_FALSE(m_game.isModified());
}

TEST_F(UndoTest, ALaterConflictRollsBackToTheRestoredTurn)
{
    playBothTurns();
    ASSERT_TRUE(m_game.undoLastTurn());
    m_game.proposalEdited(dort::kTooLong);

    ASSERT_TRUE(m_game.generate(playOn).conflict);

    expectShows(m_game, dort::kTurn1);
    EXPECT_EQ(m_game.turns(), (QList<Turn>{dort::kTurn0, dort::kTurn1}));
}

TEST_F(UndoTest, ConflictRightAfterUndoingToTurnZeroRollsBackToTurnZero)
{
    // Turn 0 of an initialisation: the conflict must not bring back the turn that was undone.
    newPuzzle(dort::kReference);
    play(dort::kFirst);
    ASSERT_TRUE(m_game.undoLastTurn());
    m_game.proposalEdited(dort::kTooLong);

    ASSERT_TRUE(m_game.generate(playOn).conflict);

    expectShows(m_game, dort::kTurn0);
}

TEST_F(UndoTest, UndoneTurnComesBackOnlyByPlayingItAgain)
{
    playBothTurns();
    ASSERT_TRUE(m_game.undoLastTurn());
    EXPECT_EQ(m_game.turns().size(), 2);

    const EvaluationResult replay = m_game.generate(playOn);

    ASSERT_FALSE(replay.refusal);
    ASSERT_FALSE(replay.conflict);
    expectShows(m_game, dort::kTurn2);
    EXPECT_EQ(m_game.turns(), (QList<Turn>{dort::kTurn0, dort::kTurn1, dort::kTurn2}));
}

TEST_F(UndoTest, UndoingToTurnZeroShowsNoLetterFound)
{
    newPuzzle(dort::kReference);
    play(dort::kFirst);
    newPuzzle(dort::kReference);
    play(dort::kSecond);

    ASSERT_TRUE(m_game.undoLastTurn());

    EXPECT_EQ(m_game.session().lettres_trouvees, 0);
    EXPECT_EQ(m_game.session().soluce, dort::kTurn0.result);
}

TEST_F(UndoTest, ReachesBackThroughALongStoredHistory)
{
    // Start-up reads only the latest stored turns; undoing past them reads the earlier ones.
    // Each turn's proposal differs in its last word, which is never compared.
    startOnSample();
    newPuzzle(dort::kReference);
    const auto proposal = [](int turn) { return QStringLiteral("LA CHAR D%1").arg(turn); };
    constexpr int kTurns = 150;
    for (int turn = 1; turn <= kTurns; ++turn)
        ASSERT_NO_FATAL_FAILURE(play(proposal(turn)));
    ASSERT_FALSE(m_game.save());

    GameController again;
    ASSERT_FALSE(again.openGame(m_path));
    ASSERT_EQ(again.turnCount(), kTurns + 1);
    for (int turn = kTurns; turn >= 1; --turn) {
        ASSERT_TRUE(again.undoLastTurn()) << "turn " << turn;
        ASSERT_EQ(again.session().propal, proposal(turn));
        ASSERT_EQ(again.session().lettres_trouvees, turn == 2 ? 5 : 0)
            << "back to turn " << turn - 1;
    }
    EXPECT_FALSE(again.canUndo());
    expectShows(again, dort::kTurn0);
}

// An undone proposal read back from a tours table another program wrote comes back with the
// line breaks the pane holds, CR LF.
TEST_F(UndoTest, UndoneStoredProposalComesBackWithCrLfBreaks)
{
    // The last row ties with the sample game ("** ****", "A C H T ", 4).
    startOnSample({QStringLiteral("CREATE TABLE tours (numero INTEGER, propal TEXT, result TEXT, "
                                  "trouvees INTEGER, restantes INTEGER, lettres TEXT)"),
                   QStringLiteral("INSERT INTO tours VALUES (0, '', '** ****', 0, 4, 'A C H T ')"),
                   QStringLiteral("INSERT INTO tours VALUES (1, 'LE' || char(10) || 'CHIEN', "
                                  "'** ****', 0, 4, 'A C H T ')")});
    ASSERT_EQ(m_game.turns().size(), 2);

    ASSERT_TRUE(m_game.undoLastTurn());
    EXPECT_EQ(m_game.session().propal, QStringLiteral("LE\r\nCHIEN"));
}

} // namespace
