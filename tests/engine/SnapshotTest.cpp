// The accepted state a conflict returns to and the resets that start a count: what
// takeSnapshot copies and converts, what restoreSnapshot writes back and leaves alone, and what
// resetPuzzle and clearLetterCounters empty, including a damaged count caption.
#include "EngineTestSupport.h"

#include <algorithm>

namespace {

GameSession playedSession()
{
    GameSession s;
    s.ref = QStringLiteral("LE CHAT");
    s.soluce = QStringLiteral("L* CHA*");
    s.propal = QStringLiteral("LA CHAR");
    s.lettres = QStringLiteral("E T ");
    s.lettres_restantes = QStringLiteral("2");
    s.lettres_trouvees = QStringLiteral("4");
    return s;
}

bool allZero(const LetterCounters& counters)
{
    return std::all_of(counters.begin(), counters.end(), [](int n) { return n == 0; });
}

TEST(Snapshot, EmptyUntilTheFirstSnapshot)
{
    const PuzzleEngine engine;
    const PuzzleSnapshot& snap = engine.snapshot();
    EXPECT_TRUE(snap.savedFoundText.isEmpty());
    EXPECT_TRUE(snap.savedRemainingLetters.isEmpty());
    EXPECT_EQ(snap.savedFoundCount, 0);
    EXPECT_EQ(snap.savedRemainingCount, 0);
    EXPECT_FALSE(snap.rollbackPending);
}

TEST(Snapshot, SecondSnapshotWinsAndKeepsThePendingFlag)
{
    PuzzleEngine engine;
    GameSession first = playedSession();
    engine.takeSnapshot(first);
    engine.setRollbackPending(true);

    GameSession second;
    second.soluce = QStringLiteral("LE CHAT");
    second.lettres_restantes = QStringLiteral("0");
    second.lettres_trouvees = QStringLiteral("13");
    engine.takeSnapshot(second);

    const PuzzleSnapshot& snap = engine.snapshot();
    EXPECT_EQ(snap.savedFoundText, QStringLiteral("LE CHAT"));
    EXPECT_TRUE(snap.savedRemainingLetters.isEmpty());
    EXPECT_EQ(snap.savedFoundCount, 13);
    EXPECT_EQ(snap.savedRemainingCount, 0);
    EXPECT_TRUE(snap.rollbackPending);
}

TEST(Snapshot, RestoreWritesBackTheFourValuesOnly)
{
    PuzzleEngine engine;
    GameSession session = initialisedSession(engine, QStringLiteral("LE CHAT"));
    session.lettres_trouvees = QStringLiteral("0");
    engine.takeSnapshot(session);
    const LetterCounters countersBefore = engine.counters();

    session.soluce = QStringLiteral("LE CHAT");
    session.lettres = QString();
    session.lettres_restantes = QStringLiteral("0");
    session.lettres_trouvees = QStringLiteral("6");
    session.propal = QStringLiteral("LE CHAT");
    session.ref = QStringLiteral("AUTRE");
    engine.markers().save = QStringLiteral("Y");
    engine.markers().generation = QStringLiteral("1");
    engine.setRollbackPending(true);

    engine.restoreSnapshot(session);

    EXPECT_EQ(session.soluce, QStringLiteral("** ****"));
    EXPECT_EQ(session.lettres, QStringLiteral("A C E H L T "));
    EXPECT_EQ(session.lettres_restantes, QStringLiteral("6"));
    EXPECT_EQ(session.lettres_trouvees, QStringLiteral("0"));
    EXPECT_EQ(session.propal, QStringLiteral("LE CHAT"));
    EXPECT_EQ(session.ref, QStringLiteral("AUTRE"));
    EXPECT_EQ(engine.markers().save, QStringLiteral("Y"));
    EXPECT_EQ(engine.markers().generation, QStringLiteral("1"));
    EXPECT_FALSE(engine.snapshot().rollbackPending);
    EXPECT_EQ(engine.counters(), countersBefore);
}

// A caption that is not a whole number can only come from a damaged store; it must not
// break the snapshot and is taken as 0.
struct CaptionCase {
    QString caption;
    qint16 count;
};

TEST(Snapshot, CountCaptionsConvertToWholeNumbersOrZero)
{
    const CaptionCase cases[] = {
        {QStringLiteral("13"), 13},   {QStringLiteral("0"), 0},
        {QStringLiteral("600"), 600}, {QString(), 0},
        {QStringLiteral("12abc"), 0}, {QStringLiteral("Vide"), 0},
        {QStringLiteral("1.5"), 0},
    };
    for (const CaptionCase& c : cases) {
        PuzzleEngine engine;
        GameSession session = playedSession();
        session.lettres_restantes = c.caption;
        session.lettres_trouvees = c.caption;
        engine.takeSnapshot(session);
        EXPECT_EQ(engine.snapshot().savedRemainingCount, c.count) << c.caption.toStdString();
        EXPECT_EQ(engine.snapshot().savedFoundCount, c.count) << c.caption.toStdString();

        engine.restoreSnapshot(session);
        EXPECT_EQ(session.lettres_restantes, QString::number(c.count));
    }
}

TEST(Reset, EmptiesTheResultsAndEveryCounter)
{
    PuzzleEngine engine;
    GameSession session = initialisedSession(engine, QStringLiteral("ALLEZ ÉLÉONORE"));
    ASSERT_FALSE(allZero(engine.counters()));
    session.propal = QStringLiteral("ALLEZ");
    session.lettres_trouvees = QStringLiteral("3");
    engine.takeSnapshot(session);
    engine.setRollbackPending(true);

    engine.resetPuzzle(session);

    EXPECT_TRUE(session.soluce.isEmpty());
    EXPECT_TRUE(session.lettres.isEmpty());
    EXPECT_TRUE(session.propal.isEmpty());
    EXPECT_EQ(session.lettres_restantes, QStringLiteral("0"));
    EXPECT_TRUE(allZero(engine.counters()));
    EXPECT_EQ(session.ref, QStringLiteral("ALLEZ ÉLÉONORE"));
    EXPECT_EQ(session.lettres_trouvees, QStringLiteral("3"));
    EXPECT_EQ(engine.snapshot().savedFoundText, QStringLiteral("***** ********"));
    EXPECT_TRUE(engine.snapshot().rollbackPending);
}

TEST(Reset, EmptyingAFilledProposalIsAProposalChange)
{
    struct ProposalCase {
        QString proposal;
        QString save;
        QString generation;
    };
    const ProposalCase cases[] = {
        {QStringLiteral("LA CHAR"), QString(), QStringLiteral("0")},
        {QString(), QStringLiteral("Y"), QStringLiteral("1")},
    };
    for (const ProposalCase& c : cases) {
        PuzzleEngine engine;
        GameSession session = playedSession();
        session.propal = c.proposal;
        engine.markers().save = QStringLiteral("Y");
        engine.markers().generation = QStringLiteral("1");
        engine.resetPuzzle(session);
        EXPECT_EQ(engine.markers().save, c.save) << c.proposal.toStdString();
        EXPECT_EQ(engine.markers().generation, c.generation) << c.proposal.toStdString();
    }
}

} // namespace
