// The thread's rules on one puzzle and one turn. Every letter hidden masks and counts every
// capital, lists those beyond the 37 after them in code-point order and makes them word
// characters; a letter written with a combining accent, or a small one, stays visible. Optional
// accents reveal a letter that is the same once accents are set aside, Œ and Æ only by
// themselves. A puzzle keeps the «every letter» it was initialised under.
#include "EngineTestSupport.h"

namespace {

struct RuleCase {
    const char* name;
    Rules atInitialisation;
    Rules atTurn;
    QString ref;
    QString proposal; // empty: no turn
    bool conflict;
    QString soluce;
    QString lettres;
    int remaining;
    int found;
};

class ThreadRules : public testing::TestWithParam<RuleCase> {};

TEST_P(ThreadRules, HideCountAndRevealAsTheyWereChosen)
{
    const RuleCase& c = GetParam();
    PuzzleEngine engine;
    engine.setRules(c.atInitialisation);
    GameSession session = initialisedSession(engine, c.ref);
    // Every row that hides every letter has a capital beyond the 37 to show it.
    EXPECT_EQ(PuzzleEngine::hidesExtraLetters(session), c.atInitialisation.allLetters);
    if (!c.proposal.isEmpty()) {
        engine.setRules(c.atTurn);
        const Turn initialised = turnOf(session, QString());
        session.propal = c.proposal;
        EXPECT_EQ(engine.evaluateProposal(session, initialised).conflict.has_value(), c.conflict);
    }
    EXPECT_EQ(session.soluce, c.soluce);
    EXPECT_EQ(session.lettres, c.lettres);
    EXPECT_EQ(session.lettres_restantes, c.remaining);
    EXPECT_EQ(session.lettres_trouvees, c.found);
}

const Rules kUsual;
const Rules kAll{true, false};
const Rules kAccents{false, true};
const Rules kBoth{true, true};
const QString kFrench = QStringLiteral("NOËL À L'HAŸ, MAÏS ÆTHER Ñ");

const RuleCase kRuleCases[] = {
    {"EveryLetterHidden",
     kAll,
     kAll,
     kFrench,
     {},
     false,
     QStringLiteral("**** * *'***, **** ***** *"),
     QStringLiteral("AA E HH LL M N O R S T À Æ Ë Ï Ñ Ÿ "),
     19,
     0},
    {"CombiningAccentAndSmallLetterStayVisible",
     kAll,
     kAll,
     QStringLiteral("NOE\u0301L ë Ñ"),
     {},
     false,
     QStringLiteral("***\u0301* ë *"),
     QStringLiteral("E L N O Ñ "),
     5,
     0},
    {"RecountOrderThenCodePoints", kAll, kAll, QStringLiteral("ŸÇÑÂ"), QStringLiteral("ZZZZ"),
     false, QStringLiteral("****"), QStringLiteral("Ç Â Ñ Ÿ "), 4, 0},
    {"OtherCapitalIsAWordCharacter", kAll, kAll, QStringLiteral("DUFAŸ X"),
     QStringLiteral("DUFAY Z"), false, QStringLiteral("DUFA* *"), QStringLiteral("X Ÿ "), 2, 4},
    {"YRevealsYWithDiaeresisWithOptionalAccents", kAll, kBoth, QStringLiteral("DUFAŸ X"),
     QStringLiteral("DUFAY Z"), false, QStringLiteral("DUFAŸ *"), QStringLiteral("X "), 1, 5},
    // The puzzle keeps the rule it was initialised under: Ÿ still ends the word.
    {"EveryLetterWaitsForTheNextPuzzle", kUsual, kAll, QStringLiteral("DUFAŸ X"),
     QStringLiteral("DUFAY Z"), true, QStringLiteral("****Ÿ *"), QStringLiteral("A D F U X "), 5,
     0},
    {"EcoleRevealsAccentedEWithOptionalAccents", kUsual, kAccents, QStringLiteral("ÉCOLE"),
     QStringLiteral("ECOLE"), false, QStringLiteral("ÉCOLE"), QString(), 0, 5},
    {"AccentsSetAsideOnBothSides", kBoth, kBoth, QStringLiteral("ÈÊË Ç"), QStringLiteral("EÉE C"),
     false, QStringLiteral("ÈÊË Ç"), QString(), 0, 4},
    {"LigaturesOnlyByThemselves", kBoth, kBoth, QStringLiteral("ŒIL ÆON"),
     QStringLiteral("OIL AON"), false, QStringLiteral("*IL *ON"), QStringLiteral("Œ Æ "), 2, 4},
};

INSTANTIATE_TEST_SUITE_P(Rules, ThreadRules, testing::ValuesIn(kRuleCases), caseName<RuleCase>);

} // namespace
