// One turn of the puzzle: the three refusals that change nothing, the reveal pass that
// replaces each "*" whose letter the proposal places right, the recount in its own order,
// and the rollback to the accepted turn of every turn whose alignment check met a conflict.
// A position where either text has ended never reveals, and a recount below zero shows as 0.
#include "EngineTestSupport.h"

namespace {

struct RefusalCase {
    const char* name;
    QString found;
    QString proposal;
    QString message;
    MessageIcon icon;
};

class EvaluationRefusals : public testing::TestWithParam<RefusalCase> {};

TEST_P(EvaluationRefusals, ShowTheMessageAndChangeNothing)
{
    const RefusalCase& c = GetParam();
    PuzzleEngine engine;
    GameSession session;
    session.ref = QStringLiteral("LE CHAT");
    session.soluce = c.found;
    session.propal = c.proposal;
    session.lettres_trouvees = 3;
    const GameSession before = session;

    const EvaluationResult result = engine.evaluateProposal(session, Turn{});

    ASSERT_TRUE(result.refusal.has_value());
    EXPECT_EQ(result.refusal->text, c.message);
    EXPECT_EQ(result.refusal->icon, c.icon);
    EXPECT_FALSE(result.conflict.has_value());
    EXPECT_EQ(session, before);
}

const RefusalCase kRefusalCases[] = {
    {"NotInitialisedComesFirst", QString(), QString(),
     QStringLiteral("Vous n'avez pas initialisé la liste de proposition !"), MessageIcon::Warning},
    {"NotInitialised", QString(), QStringLiteral("LE CHAT"),
     QStringLiteral("Vous n'avez pas initialisé la liste de proposition !"), MessageIcon::Warning},
    {"NoProposal", QStringLiteral("** ****"), QString(),
     QStringLiteral("Vous n'avez pas renseigné le texte de proposition !"), MessageIcon::Warning},
    {"ProposalTooLong", QStringLiteral("** ****"), QString(601, u'A'), kTooLongText,
     MessageIcon::Critical},
    // A blank after an apostrophe would be removed later: the length is taken before.
    {"TooLongBeforeTheTidyUp", QStringLiteral("** ****"),
     QStringLiteral("L' ") + QString(598, u'A'), kTooLongText, MessageIcon::Critical},
};

INSTANTIATE_TEST_SUITE_P(Refusals, EvaluationRefusals, testing::ValuesIn(kRefusalCases),
                         caseName<RefusalCase>);

// One accepted turn on a freshly initialised puzzle.
struct TurnCase {
    const char* name;
    QString reference;
    QString proposal;
    QString found;
    int foundCount;
    QString letters;
    int remainingCount;
};

class EvaluationTurns : public testing::TestWithParam<TurnCase> {};

TEST_P(EvaluationTurns, RevealAndRecount)
{
    const TurnCase& c = GetParam();
    PuzzleEngine engine;
    GameSession session = initialisedSession(engine, c.reference);
    session.propal = c.proposal;

    const EvaluationResult result = engine.evaluateProposal(session, turnOf(session, QString()));

    ASSERT_FALSE(result.refusal.has_value());
    ASSERT_FALSE(result.conflict.has_value());
    EXPECT_EQ(session.soluce, c.found);
    EXPECT_EQ(session.lettres_trouvees, c.foundCount);
    EXPECT_EQ(session.lettres, c.letters);
    EXPECT_EQ(session.lettres_restantes, c.remainingCount);
}

const TurnCase kTurnCases[] = {
    {"WholeTextRevealed", QStringLiteral("LE CHAT"), QStringLiteral("LE CHAT"),
     QStringLiteral("LE CHAT"), 6, QString(), 0},
    {"PartOfTheLetters", QStringLiteral("LE CHAT"), QStringLiteral("LA CHAR"),
     QStringLiteral("L* CHA*"), 4, QStringLiteral("E T "), 2},
    {"SmallLettersNeverReveal", QStringLiteral("LA"), QStringLiteral("la"), QStringLiteral("**"), 0,
     QStringLiteral("A L "), 2},
    {"ShorterProposalStopsAtItsEnd", QStringLiteral("LE CHAT"), QStringLiteral("LE"),
     QStringLiteral("LE ****"), 2, QStringLiteral("A C H T "), 4},
    {"LongerProposalReadUpToTheFoundLength", QStringLiteral("LE CHAT"), QStringLiteral("LE CHATON"),
     QStringLiteral("LE CHAT"), 6, QString(), 0},
    {"MAndOeLikeAnyLetter", QStringLiteral("MŒ ŒM"), QStringLiteral("MŒ XY"),
     QStringLiteral("MŒ **"), 2, QStringLiteral("M Œ "), 2},
    {"RecountOrderOfAccents", QStringLiteral("AÂÇÉÉ X"), QStringLiteral("BCDEF X"),
     QStringLiteral("***** X"), 1, QStringLiteral("A Ç ÉÉ Â "), 5},
    {"PunctuationIsNotCounted", QStringLiteral("L'ÉTÉ, 2 FOIS."), QStringLiteral("L'ÉTÉ, 2 FOIS."),
     QStringLiteral("L'ÉTÉ, 2 FOIS."), 8, QString(), 0},
    {"SixHundredCharacters", QString(600, u'A'), QString(600, u'A'), QString(600, u'A'), 600,
     QString(), 0},
};

INSTANTIATE_TEST_SUITE_P(Turns, EvaluationTurns, testing::ValuesIn(kTurnCases), caseName<TurnCase>);

class EvaluationTest : public testing::Test {
  protected:
    void startPuzzle(const QString& reference)
    {
        m_session = initialisedSession(m_engine, reference);
        m_accepted = turnOf(m_session, QString());
    }

    // A turn on the proposal; one without conflict becomes the accepted turn.
    EvaluationResult evaluate(const QString& proposal)
    {
        m_session.propal = proposal;
        const EvaluationResult result = m_engine.evaluateProposal(m_session, m_accepted);
        if (!result.conflict)
            m_accepted = turnOf(m_session, proposal);
        return result;
    }

    PuzzleEngine m_engine;
    GameSession m_session;
    Turn m_accepted;
};

TEST_F(EvaluationTest, SameProposalTwiceRevealsNothingTheSecondTime)
{
    startPuzzle(QStringLiteral("LE CHAT"));
    evaluate(QStringLiteral("LA CHAR"));
    const GameSession first = m_session;
    evaluate(QStringLiteral("LA CHAR"));
    EXPECT_EQ(m_session.soluce, first.soluce);
    EXPECT_EQ(m_session.lettres_trouvees, 0);
    EXPECT_EQ(m_session.lettres, first.lettres);
    EXPECT_EQ(m_session.lettres_restantes, first.lettres_restantes);
}

TEST_F(EvaluationTest, LettersAlreadyRevealedAreNotCountedAgain)
{
    startPuzzle(QStringLiteral("LE CHAT"));
    evaluate(QStringLiteral("LA CHAR"));
    evaluate(QStringLiteral("LE CHAT"));
    EXPECT_EQ(m_session.soluce, QStringLiteral("LE CHAT"));
    EXPECT_EQ(m_session.lettres_trouvees, 2);
    EXPECT_EQ(m_session.lettres_restantes, 0);
}

TEST_F(EvaluationTest, ConflictAfterAnAcceptedTurnRollsBackToIt)
{
    startPuzzle(QStringLiteral("LE CHAT"));
    evaluate(QStringLiteral("LA CHAR"));
    const GameSession accepted = m_session;

    const EvaluationResult result = evaluate(QStringLiteral("L' E CHAT"));

    ASSERT_TRUE(result.conflict.has_value());
    EXPECT_EQ(*result.conflict, (Conflict{QStringLiteral("L*"), QStringLiteral("L'E"), 1, 1}));
    EXPECT_TRUE(result.proposalChanged);
    EXPECT_EQ(m_session.propal, QStringLiteral("L'E CHAT"));
    EXPECT_EQ(m_session.soluce, accepted.soluce);
    EXPECT_EQ(m_session.lettres, accepted.lettres);
    EXPECT_EQ(m_session.lettres_trouvees, accepted.lettres_trouvees);
    EXPECT_EQ(m_session.lettres_restantes, accepted.lettres_restantes);
}

TEST_F(EvaluationTest, EveryConflictRollsBackAlsoTheSecondInARow)
{
    startPuzzle(QStringLiteral("LE CHAT X"));
    // The conflict dialog opened by the first turn may still be open for the second.
    for (const QString& proposal :
         {QStringLiteral("LES CHAT X"), QStringLiteral("LE CHATS X"), QStringLiteral("LE CHA X")}) {
        const EvaluationResult result = evaluate(proposal);
        EXPECT_TRUE(result.conflict.has_value()) << proposal.toStdString();
        EXPECT_EQ(m_session.soluce, QStringLiteral("** **** *")) << proposal.toStdString();
        EXPECT_EQ(m_session.lettres_restantes, 7);
    }
    // After the rollbacks a turn without conflict is accepted.
    evaluate(QStringLiteral("LE CHAT X"));
    EXPECT_EQ(m_session.soluce, QStringLiteral("LE CHAT X"));
}

TEST_F(EvaluationTest, TidyUpDuringTheTurnIsAProposalChange)
{
    startPuzzle(QStringLiteral("L'ARBRE"));
    EXPECT_TRUE(evaluate(QStringLiteral("L' ARBRE")).proposalChanged);
    EXPECT_EQ(m_session.soluce, QStringLiteral("L'ARBRE"));
    EXPECT_EQ(m_session.lettres_trouvees, 6);
}

TEST_F(EvaluationTest, ReferenceShortenedAfterInitialisationKeepsTheFoundLength)
{
    startPuzzle(QStringLiteral("LE CHAT"));
    m_session.ref = QStringLiteral("LE");
    evaluate(QStringLiteral("LE"));
    // Past the end of both texts two empty readings are no match: nothing is dropped.
    EXPECT_EQ(m_session.soluce, QStringLiteral("LE ****"));
    EXPECT_EQ(m_session.lettres_trouvees, 2);
}

TEST_F(EvaluationTest, RecountBelowZeroShowsAsZero)
{
    startPuzzle(QStringLiteral("LE CHAT"));
    evaluate(QStringLiteral("LE CHAT"));
    ASSERT_EQ(m_session.soluce, QStringLiteral("LE CHAT"));

    // The reference was edited since: the found text shows letters it no longer holds.
    m_session.ref = QStringLiteral("ZZ LA");
    m_engine.recountLetters(m_session);
    EXPECT_EQ(m_session.lettres, QStringLiteral("ZZ "));
    EXPECT_EQ(m_session.lettres_restantes, 2);

    m_session.ref = QStringLiteral("A");
    m_engine.recountLetters(m_session);
    EXPECT_EQ(m_session.lettres, QString());
    EXPECT_EQ(m_session.lettres_restantes, 0);
}

} // namespace
