// A game file is a thread of puzzles. «Initialiser» and «Effacer les données de la page» close a
// puzzle with a turn played into the thread (one with its turn 0 alone is replaced), and the undo
// at the start of the next puzzle brings it back exactly as it was, before or after a save and a
// new opening.
#include "ControllerFixture.h"
#include "PlayOn.h"

#include <memory>

namespace {

using ThreadTest = ControllerTest;

// What the master sees of a puzzle, and what an undo must give back.
struct PuzzleShown {
    GameSession session;
    QList<Turn> turns;
    QList<PlayerStanding> ranking;
    bool canUndo = false;
    bool operator==(const PuzzleShown&) const = default;
};

PuzzleShown shown(GameController& game)
{
    return {game.session(), game.turns(), game.ranking(), game.canUndo()};
}

TEST_F(ThreadTest, APlayedPuzzleIsClosedIntoTheThreadAndTheUndoBringsItBack)
{
    struct Case {
        const char* name;
        bool turnPlayed;
        bool clearsThePage; // else «Initialiser» on another reference
        bool reopened;      // saved and opened again before the undo
    };
    const Case cases[] = {
        {"Initialiser after a turn", true, false, false},
        {"Effacer after a turn", true, true, false},
        {"Initialiser after a turn, saved and opened again", true, false, true},
        {"Initialiser at turn 0", false, false, false},
        {"Effacer at turn 0", false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto now = std::make_unique<GameController>();
        GameController& game = *now;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fil.mdb"));
        ASSERT_NO_FATAL_FAILURE(makeSampleStore(path));
        ASSERT_FALSE(game.openGame(path));
        game.referenceEdited(dort::kReference);
        ASSERT_FALSE(game.initialise());
        if (c.turnPlayed) {
            game.playerEdited(QStringLiteral("Ana"));
            game.proposalEdited(dort::kFirst);
            ASSERT_FALSE(game.generate(playOn).refusal);
            game.proposalEdited(QStringLiteral("LE CHAT ..."));
        }
        const PuzzleShown before = shown(game);

        if (c.clearsThePage) {
            game.clearPage();
        } else {
            game.referenceEdited(QStringLiteral("LA MER"));
            ASSERT_FALSE(game.initialise());
        }

        if (c.reopened) {
            ASSERT_FALSE(game.save());
            now = std::make_unique<GameController>();
            ASSERT_FALSE(now->openGame(path));
        }
        if (!c.turnPlayed) {
            EXPECT_EQ(now->puzzles().size(), 1);
            EXPECT_FALSE(now->canUndo());
            continue;
        }
        ASSERT_EQ(now->puzzles().size(), 2);
        EXPECT_EQ(now->puzzles().first(),
                  (PuzzleSummary{1, dort::kReference, 1, false, QString()}));
        EXPECT_EQ(now->pastPuzzle(1)->turns, before.turns);
        EXPECT_EQ(now->threadRanking(), (QList<ThreadStanding>{{QStringLiteral("Ana"), 7, 1}}));
        ASSERT_TRUE(now->canUndo());

        ASSERT_TRUE(now->undoLastTurn());

        EXPECT_EQ(shown(*now), before);
        EXPECT_EQ(now->puzzles().size(), 1);
        EXPECT_TRUE(now->isModified());
    }
}

} // namespace

namespace {

// A Plimo of the layout before the thread opens a thread's file, plays and saves: it writes
// what it knows (the game's row, its count and check, the rows of tours) and nothing else. The
// earlier puzzles are still there for the next Plimo, which sees the older one's puzzle as the
// current one; and a file from before the thread opens as its first puzzle.
TEST_F(ThreadTest, AnOlderPlimosSaveKeepsTheEarlierPuzzles)
{
    ASSERT_NO_FATAL_FAILURE(startOnSample());
    EXPECT_EQ(m_game.puzzles(), (QList<PuzzleSummary>{{1, "LE CHAT", 0, false, {}}}));
    ASSERT_NO_FATAL_FAILURE(playBothTurns());
    m_game.playerEdited(QStringLiteral("Ana"));
    ASSERT_NO_FATAL_FAILURE(newPuzzle(QStringLiteral("LA MER")));
    ASSERT_FALSE(m_game.save());
    m_game.leave(LeaveWay::Quit, [](const Question&) { return Answer::Yes; });
    {
        RawStore older(m_path);
        for (const char* statement :
             {"UPDATE \"données\" SET base = 'LE LOUP', result = 'LE LOUP', propal = 'LE LOUP', "
              "lettres = ''",
              "UPDATE compteurs SET nb_lettres = 0, empreinte = NULL", "DELETE FROM tours",
              "INSERT INTO tours VALUES (0, '', '** ****', 0, 5, 'E L O P U ', ''), "
              "(1, 'LE LOUP', 'LE LOUP', 5, 0, '', 'Zoé')"})
            ASSERT_TRUE(older.exec(QString::fromUtf8(statement))) << statement;
    }

    GameController next;
    ASSERT_FALSE(next.openGame(m_path));
    const QList<PuzzleSummary> puzzles = next.puzzles();
    ASSERT_EQ(puzzles.size(), 2);
    EXPECT_EQ(puzzles[0], (PuzzleSummary{1, dort::kReference, 2, true, QString()}));
    EXPECT_EQ(puzzles[1], (PuzzleSummary{2, "LE LOUP", 1, true, "Zoé"}));
    EXPECT_EQ(next.pastPuzzle(1)->turns, (QList<Turn>{dort::kTurn0, dort::kTurn1, dort::kTurn2}));
}

// «Enregistrer la partie sous…» writes the whole thread, the puzzles closed since the last save
// included, to the new file.
TEST_F(ThreadTest, ASaveUnderANewNameCarriesTheWholeThread)
{
    ASSERT_NO_FATAL_FAILURE(startSaved());
    ASSERT_NO_FATAL_FAILURE(playBothTurns());
    ASSERT_NO_FATAL_FAILURE(newPuzzle(QStringLiteral("LA MER")));
    const QString copy = m_dir.filePath(QStringLiteral("copie.mdb"));
    ASSERT_FALSE(m_game.saveGameAs(copy));
    const QList<PuzzleSummary> puzzles = m_game.puzzles();
    m_game.leave(LeaveWay::Quit, [](const Question&) { return Answer::Yes; });

    GameController reopened;
    ASSERT_FALSE(reopened.openGame(copy));
    EXPECT_EQ(reopened.puzzles(), puzzles);
    ASSERT_EQ(puzzles.size(), 2);
    EXPECT_EQ(reopened.pastPuzzle(1)->turns, (QList<Turn>{dort::kTurn0, dort::kTurn1, dort::kTurn2}));
}

} // namespace
