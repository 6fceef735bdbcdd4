// The fixed values set at start-up and the remaining-letters format: the version string, the
// 55 characters that belong to a word for the alignment check, and how the letter counts are
// written in the initialisation and the recount display orders.
#include "EngineTestSupport.h"

namespace {

TEST(StartUpValues, Version)
{
    const PuzzleEngine engine;
    EXPECT_EQ(engine.version(), QStringLiteral("2.5.0"));
}

// Whether the alignment check reads the character as part of a word: between "A" and "B" it
// makes the proposal's first word as long as the found text's, else that word is "A" alone.
bool readAsWordCharacter(QChar c)
{
    PuzzleEngine engine;
    GameSession session;
    session.soluce = QStringLiteral("*** **");
    session.propal = QStringLiteral("A") + c + QStringLiteral("B CD");
    return !engine.checkAlignment(session).conflict.has_value();
}

TEST(WordCharacters, TheFiftyFiveOfTheSetBelongToWords)
{
    const QString set = QStringLiteral(".,(’)]'[²/*-ABCDEFGHIJKLMNOPQRSTUVWXYZÀÉÈÙÂÊÎÔÛÄËÏÖÜÇŒÆ");
    ASSERT_EQ(set.size(), 55);
    for (QChar c : set)
        EXPECT_TRUE(readAsWordCharacter(c)) << QString(c).toStdString();
}

TEST(WordCharacters, EverythingElseSeparatesWords)
{
    const QString separators = QStringLiteral(" !?:;\"«»a1é\r\n\tµ_+ÿ");
    for (QChar c : separators)
        EXPECT_FALSE(readAsWordCharacter(c)) << QString(c).toStdString();
    // The null character is no word character either.
    EXPECT_FALSE(readAsWordCharacter(QChar(u'\0')));
}

// Counts of one reference text written in both display orders.
struct OrderCase {
    const char* name;
    QString reference;
    QString initialisationText;
    QString recountText;
    int count;
};

class DisplayOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(DisplayOrderTest, InitialisationAndRecountWriteTheirOwnOrder)
{
    const OrderCase& c = GetParam();
    PuzzleEngine engine;
    GameSession session = initialisedSession(engine, c.reference);
    EXPECT_EQ(session.lettres, c.initialisationText);
    EXPECT_EQ(session.lettres_restantes, c.count);

    // With nothing revealed the recount finds the same counts and writes its own order.
    engine.recountLetters(session);
    EXPECT_EQ(session.lettres, c.recountText);
    EXPECT_EQ(session.lettres_restantes, c.count);
}

const OrderCase kOrderCases[] = {
    {"Example", QStringLiteral("ALLEZ ÉLÉONORE"), QStringLiteral("A EE LLL N OO R Z ÉÉ "),
     QStringLiteral("A EE LLL N OO R Z ÉÉ "), 13},
    {"AGraveACircumflexCCedilla", QStringLiteral("ÂÇÀ"), QStringLiteral("À Â Ç "),
     QStringLiteral("À Ç Â "), 3},
    {"AccentsAfterAtoZ", QStringLiteral("ÉÂÇÉA"), QStringLiteral("A Â Ç ÉÉ "),
     QStringLiteral("A Ç ÉÉ Â "), 5},
    {"AllElevenAccented", QStringLiteral("ÎÔŒÛÙÊÈÉÇÂÀ"), QStringLiteral("À Â Ç É È Ê Ù Û Œ Ô Î "),
     QStringLiteral("À Ç Ù É Û Â Ê È Œ Ô Î "), 11},
    {"LetterRepeatedThenOneSpace", QStringLiteral("ZZZA"), QStringLiteral("A ZZZ "),
     QStringLiteral("A ZZZ "), 4},
    {"NothingHidden", QStringLiteral("ÄËÏÖÜÆ aé19 ?!"), QString(), QString(), 0},
    {"SingleSpace", QStringLiteral(" "), QString(), QString(), 0},
};

INSTANTIATE_TEST_SUITE_P(Orders, DisplayOrderTest, testing::ValuesIn(kOrderCases),
                         caseName<OrderCase>);

} // namespace
