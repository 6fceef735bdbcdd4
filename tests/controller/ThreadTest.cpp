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
