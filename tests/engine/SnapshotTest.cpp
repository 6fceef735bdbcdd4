// The accepted state a conflict returns to and the resets that start a count: what
// takeSnapshot and acceptAsLastTurn keep and convert, including a damaged count caption, what
// restoreSnapshot writes back and leaves alone, and what resetPuzzle empties.
#include "EngineTestSupport.h"

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

// A conflict that has not been rolled back yet: the next turn rolls back whatever it reveals.
void leaveAConflictPending(PuzzleEngine& engine)
{
    GameSession other;
    other.soluce = QStringLiteral("** **");
    other.propal = QStringLiteral("A BC D");
    ASSERT_TRUE(engine.checkAlignment(other).conflict.has_value());
}

QString remainingLetters(const PuzzleEngine& engine)
{
    return engine.formatRemainingLetters(alphabet::DisplayOrder::Recount).text;
}

// A game loaded at start-up or brought back by an undo is what the next conflict returns to,
// and a conflict still pending from before is dropped.
TEST(Snapshot, TheAcceptedGameIsWhatAConflictReturnsTo)
{
    const GameSession loaded = playedSession();
    {
        PuzzleEngine engine;
        initialisedSession(engine, QStringLiteral("AUTRE JEU"));
        engine.acceptAsLastTurn(loaded);
        GameSession played = loaded;
        played.propal = QStringLiteral("LES CHAT");
        GameSession session = played;
        ASSERT_TRUE(engine.evaluateProposal(session).conflict.has_value());
        EXPECT_EQ(session, played);
    }
    {
        PuzzleEngine engine;
        leaveAConflictPending(engine);
        engine.acceptAsLastTurn(loaded);
        GameSession session = loaded;
        session.propal = QStringLiteral("LE CHAT");
        ASSERT_FALSE(engine.evaluateProposal(session).conflict.has_value());
        EXPECT_EQ(session.soluce, QStringLiteral("LE CHAT"));
    }
}

TEST(Snapshot, SecondSnapshotWinsAndKeepsThePendingFlag)
{
    PuzzleEngine engine;
    leaveAConflictPending(engine);
    engine.takeSnapshot(playedSession());
    GameSession second;
    second.soluce = QStringLiteral("LE CHAT");
    second.lettres_restantes = QStringLiteral("0");
    second.lettres_trouvees = QStringLiteral("13");
    engine.takeSnapshot(second);

    // The conflict is still pending: a turn without one of its own rolls back to the second.
    GameSession session = playedSession();
    ASSERT_FALSE(engine.evaluateProposal(session).conflict.has_value());
    EXPECT_EQ(session.soluce, QStringLiteral("LE CHAT"));
    EXPECT_TRUE(session.lettres.isEmpty());
    EXPECT_EQ(session.lettres_trouvees, QStringLiteral("13"));
    EXPECT_EQ(session.lettres_restantes, QStringLiteral("0"));
}

TEST(Snapshot, RestoreWritesBackTheFourValuesOnly)
{
    PuzzleEngine engine;
    GameSession session = initialisedSession(engine, QStringLiteral("LE CHAT"));
    session.lettres_trouvees = QStringLiteral("0");
    engine.takeSnapshot(session);
    const QString countedBefore = remainingLetters(engine);

    session.soluce = QStringLiteral("LE CHAT");
    session.lettres = QString();
    session.lettres_restantes = QStringLiteral("0");
    session.lettres_trouvees = QStringLiteral("6");
    session.propal = QStringLiteral("LE CHAT");
    session.ref = QStringLiteral("AUTRE");
    engine.markers().save = QStringLiteral("Y");
    engine.markers().generation = QStringLiteral("1");

    engine.restoreSnapshot(session);

    EXPECT_EQ(session.soluce, QStringLiteral("** ****"));
    EXPECT_EQ(session.lettres, QStringLiteral("A C E H L T "));
    EXPECT_EQ(session.lettres_restantes, QStringLiteral("6"));
    EXPECT_EQ(session.lettres_trouvees, QStringLiteral("0"));
    EXPECT_EQ(session.propal, QStringLiteral("LE CHAT"));
    EXPECT_EQ(session.ref, QStringLiteral("AUTRE"));
    EXPECT_EQ(engine.markers().save, QStringLiteral("Y"));
    EXPECT_EQ(engine.markers().generation, QStringLiteral("1"));
    EXPECT_EQ(remainingLetters(engine), countedBefore);
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
        engine.restoreSnapshot(session);
        EXPECT_EQ(session.lettres_restantes, QString::number(c.count)) << c.caption.toStdString();
        EXPECT_EQ(session.lettres_trouvees, QString::number(c.count)) << c.caption.toStdString();
    }
}

TEST(Reset, EmptiesTheResultsAndEveryCounter)
{
    PuzzleEngine engine;
    GameSession session = initialisedSession(engine, QStringLiteral("ALLEZ ÉLÉONORE"));
    ASSERT_FALSE(remainingLetters(engine).isEmpty());
    session.propal = QStringLiteral("ALLEZ");
    session.lettres_trouvees = QStringLiteral("3");
    engine.takeSnapshot(session);
    leaveAConflictPending(engine);

    engine.resetPuzzle(session);

    EXPECT_TRUE(session.soluce.isEmpty());
    EXPECT_TRUE(session.lettres.isEmpty());
    EXPECT_TRUE(session.propal.isEmpty());
    EXPECT_EQ(session.lettres_restantes, QStringLiteral("0"));
    EXPECT_TRUE(remainingLetters(engine).isEmpty());
    EXPECT_EQ(session.ref, QStringLiteral("ALLEZ ÉLÉONORE"));
    EXPECT_EQ(session.lettres_trouvees, QStringLiteral("3"));

    // The snapshot and the pending conflict are left alone: the next turn rolls back to it.
    session.soluce = QStringLiteral("***** ********");
    session.propal = QStringLiteral("ALLEZ ÉLÉONORE");
    ASSERT_FALSE(engine.evaluateProposal(session).conflict.has_value());
    EXPECT_EQ(session.soluce, QStringLiteral("***** ********"));
    EXPECT_EQ(session.lettres_trouvees, QStringLiteral("3"));
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
