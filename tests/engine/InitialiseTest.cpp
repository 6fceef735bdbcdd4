// Starting a puzzle from the reference text: the two refusals that change nothing, the
// collapse of space runs, the masking of exactly the 37 alphabet letters, the count in the
// initialisation order, the emptied proposal, and the snapshot that makes a rolled-back first
// turn return to the fresh puzzle.
#include "EngineTestSupport.h"

namespace {

struct InitCase {
    const char* name;
    QString reference;
    QString collapsed;
    QString found;
    QString letters;
    int count;
};

class InitialiseExamples : public testing::TestWithParam<InitCase> {};

TEST_P(InitialiseExamples, MasksAndCounts)
{
    const InitCase& c = GetParam();
    PuzzleEngine engine;
    GameSession session;
    session.ref = c.reference;
    ASSERT_FALSE(engine.initialisePuzzle(session).has_value());
    EXPECT_EQ(session.ref, c.collapsed);
    EXPECT_EQ(session.soluce, c.found);
    EXPECT_EQ(session.lettres, c.letters);
    EXPECT_EQ(session.lettres_restantes, c.count);
    EXPECT_TRUE(session.propal.isEmpty());
}

const InitCase kInitCases[] = {
    {"LeChat", QStringLiteral("LE CHAT"), QStringLiteral("LE CHAT"), QStringLiteral("** ****"),
     QStringLiteral("A C E H L T "), 6},
    {"ApostropheAndDigit", QStringLiteral("L'ÉTÉ, 2 FOIS."), QStringLiteral("L'ÉTÉ, 2 FOIS."),
     QStringLiteral("*'***, 2 ****."), QStringLiteral("F I L O S T ÉÉ "), 8},
    {"DiaeresisStaysVisible", QStringLiteral("NOËL"), QStringLiteral("NOËL"),
     QStringLiteral("**Ë*"), QStringLiteral("L N O "), 3},
    {"TenSpacesCollapse", QStringLiteral("A          B"), QStringLiteral("A B"),
     QStringLiteral("* *"), QStringLiteral("A B "), 2},
    {"SingleSpace", QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" "), QString(), 0},
    {"OnlySpaces", QStringLiteral("       "), QStringLiteral(" "), QStringLiteral(" "), QString(),
     0},
    {"RunsAtBothEnds", QStringLiteral("   LE    CHAT  "), QStringLiteral(" LE CHAT "),
     QStringLiteral(" ** **** "), QStringLiteral("A C E H L T "), 6},
    {"SmallLettersStayVisible", QStringLiteral("le Chat"), QStringLiteral("le Chat"),
     QStringLiteral("le *hat"), QStringLiteral("C "), 1},
    {"CapitalsOutsideTheAlphabet", QStringLiteral("ÄËÏÖÜÆ"), QStringLiteral("ÄËÏÖÜÆ"),
     QStringLiteral("ÄËÏÖÜÆ"), QString(), 0},
    {"AccentedCapitalsAreHidden", QStringLiteral("ÎÔŒÛÙÊÈÉÇÂÀ"), QStringLiteral("ÎÔŒÛÙÊÈÉÇÂÀ"),
     QStringLiteral("***********"), QStringLiteral("À Â Ç É È Ê Ù Û Œ Ô Î "), 11},
    {"LineBreaksAndMarkerStay", QStringLiteral("A\r\nBµC\tD"), QStringLiteral("A\r\nBµC\tD"),
     QStringLiteral("*\r\n*µ*\t*"), QStringLiteral("A B C D "), 4},
    {"SixHundredCharactersAreAccepted", QString(600, u'É'), QString(600, u'É'), QString(600, u'*'),
     QString(600, u'É') + u' ', 600},
    {"CombiningAccentIsNotALetter", QStringLiteral("E\u0301"), QStringLiteral("E\u0301"),
     QStringLiteral("*\u0301"), QStringLiteral("E "), 1},
};

INSTANTIATE_TEST_SUITE_P(Examples, InitialiseExamples, testing::ValuesIn(kInitCases),
                         caseName<InitCase>);

class InitialiseRefusals : public testing::TestWithParam<TextCase> {};

TEST_P(InitialiseRefusals, ShowTheErrorAndChangeNothing)
{
    const TextCase& c = GetParam();
    PuzzleEngine engine;
    GameSession session = initialisedSession(engine, QStringLiteral("LE CHAT"));
    session.propal = QStringLiteral("LA CHAR");
    session.lettres_trouvees = 4;
    session.ref = c.input;
    const GameSession before = session;

    const std::optional<Refusal> refusal = engine.initialisePuzzle(session);

    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->text, c.expected);
    EXPECT_EQ(refusal->icon, MessageIcon::Critical);
    EXPECT_EQ(session, before);
}

const TextCase kRefusalCases[] = {
    {"EmptyReference", QString(), QStringLiteral("Il n'y a pas de texte de référence !")},
    {"SixHundredAndOne", QString(601, u'A'), kTooLongText},
    // The length is taken before the spaces collapse.
    {"LongOnlyBeforeCollapse", QStringLiteral("A") + QString(600, u' '), kTooLongText},
};

INSTANTIATE_TEST_SUITE_P(Refusals, InitialiseRefusals, testing::ValuesIn(kRefusalCases),
                         caseName<TextCase>);

TEST(Initialise, TwiceInARowGivesTheSameCounts)
{
    PuzzleEngine engine;
    GameSession session = initialisedSession(engine, QStringLiteral("ALLEZ ÉLÉONORE"));
    const GameSession first = session;
    ASSERT_FALSE(engine.initialisePuzzle(session).has_value());
    // The remaining letters are written from the counts: counting twice would double them.
    EXPECT_EQ(session, first);
}

TEST(Initialise, AfterATurnHidesEverythingAgainAndFoundCountIsZero)
{
    PuzzleEngine engine;
    GameSession session = initialisedSession(engine, QStringLiteral("LE CHAT"));
    const Turn initialised = turnOf(session, QString());
    session.propal = QStringLiteral("LA CHAR");
    ASSERT_FALSE(engine.evaluateProposal(session, initialised).refusal.has_value());
    ASSERT_EQ(session.soluce, QStringLiteral("L* CHA*"));

    ASSERT_FALSE(engine.initialisePuzzle(session).has_value());

    EXPECT_EQ(session.soluce, QStringLiteral("** ****"));
    EXPECT_EQ(session.lettres, QStringLiteral("A C E H L T "));
    EXPECT_EQ(session.lettres_restantes, 6);
    // The new puzzle's post must not announce the letters the old one revealed.
    EXPECT_EQ(session.lettres_trouvees, 0);
    EXPECT_TRUE(session.propal.isEmpty());
}

} // namespace
